#include <cstdint>
#include <optional>
#include <vector>

#include "engine/dxf_conversion.h"
#include "engine/number_text.h"
#include "engine/readers/entity_groups.h"
#include "engine/readers/entity_readers.h"

namespace quorvex {
namespace {

// POLYLINE flags (group 70).
constexpr std::int32_t kPolyline3D = 8, kPolygonMesh = 16, kPolyfaceMesh = 64;
// VERTEX flags (group 70).
constexpr std::int32_t kSplineFrameVertex = 16, kPolyline3DVertex = 32, kMeshVertex = 64;

std::int32_t IntegerValue(const DxfConversion& conversion) {
  const std::optional<std::int32_t> value = ParseInt32(conversion.GroupValue);
  if (!value) conversion.FailNotNumber(conversion.Value());
  return *value;
}

// Reads the VERTEX entities up to the pair 0 / "SEQEND", the cursor starting on the first
// VERTEX's groups. A vertex is complete at the "0" line after its groups; a VERTEX that lacks
// a coordinate or its flags keeps those of the vertex before it.
void ReadVertices(DxfConversion& conversion, std::vector<TVecteur>& points,
                  std::vector<std::int32_t>& flags) {
  TextPoint vertex;
  std::int32_t vertex_flags = 0;
  do {
    while (conversion.NextGroup()) {
      TakeTextPoint(conversion, 10, vertex);
      if (conversion.GroupCodeNumber == 70) vertex_flags = IntegerValue(conversion);
    }
    points.push_back(
        {conversion.Number(vertex.X), conversion.Number(vertex.Y), conversion.Number(vertex.Z)});
    flags.push_back(vertex_flags);
  } while (conversion.NextEntityName() != "SEQEND");
}

}  // namespace

void ReadLwPolyline(DxfConversion& conversion) {
  EntityIdentity identity;
  SourcedText elevation{"0", 0}, x;
  TVecteur extrusion{0, 0, 1};
  std::vector<TVecteur>& vertices = conversion.VertexPoints;
  vertices.clear();
  while (conversion.NextGroup()) {
    identity.Take(conversion);
    TakeNumberPoint(conversion, kExtrusionCode, extrusion);
    switch (conversion.GroupCodeNumber) {
      case 38:
        elevation = conversion.Value();
        break;
      case 10:
        x = conversion.Value();
        break;
      case 20: {
        // Group 20 completes a vertex. An X that no group 10 gave fails on this pair's
        // group-code line, the line where the conversion happens.
        const SourcedText vertex_x =
            x.line != 0 ? x : SourcedText{x.text, conversion.Value().line - 1};
        const double vx = conversion.Number(vertex_x);
        const double vy = conversion.NumberValue();
        vertices.push_back({vx, vy, conversion.Number(elevation)});
        break;
      }
      default:
        break;
    }
  }
  ObjectToWorld(extrusion, vertices);
  for (const TVecteur& vertex : vertices)
    conversion.WriteComputedPoint(vertex, identity.handle, identity.layer, "LWPOLYLINE");
  conversion.CountEntity(entity_kind::kPolylines2D);
}

void ReadPolyline(DxfConversion& conversion) {
  EntityIdentity identity;
  double elevation = 0;
  std::int32_t polyline_flags = 0;
  TVecteur extrusion{0, 0, 1};
  while (conversion.NextGroup()) {
    identity.Take(conversion);
    TakeNumberPoint(conversion, kExtrusionCode, extrusion);
    if (conversion.GroupCodeNumber == 30) {
      elevation = conversion.NumberValue();
    } else if (conversion.GroupCodeNumber == 70) {
      polyline_flags = IntegerValue(conversion);
    }
  }
  std::vector<TVecteur>& points = conversion.VertexPoints;
  std::vector<std::int32_t>& flags = conversion.VertexFlags;
  points.clear();
  flags.clear();
  // A polyline without vertices is followed directly by its SEQEND.
  if (conversion.NextEntityName() != "SEQEND") ReadVertices(conversion, points, flags);

  const bool is_3d = (polyline_flags & kPolyline3D) != 0;
  const bool is_mesh = (polyline_flags & (kPolygonMesh | kPolyfaceMesh)) != 0;
  const bool take_3d = conversion.EntityChecked(entity_node::kPolylines3D);
  const bool take_2d = conversion.EntityChecked(entity_node::kPolylines2D);
  // Writes the vertices whose flags `keep` accepts.
  const auto write_vertices = [&](std::string_view entity_type, auto keep) {
    for (std::size_t i = 0; i < points.size(); ++i) {
      if (keep(flags[i])) {
        conversion.WriteComputedPoint(points[i], identity.handle, identity.layer, entity_type);
      }
    }
  };
  if (is_3d && take_3d) {
    const bool spline_points = conversion.EntityChecked(entity_node::kPolylines3DSplinePoints);
    write_vertices("3DPOLYLINE", [&](std::int32_t f) {
      return f == kPolyline3DVertex || (f & kSplineFrameVertex) != 0 || spline_points;
    });
  } else if (is_mesh && take_3d) {
    write_vertices("3DPOLYLINE", [](std::int32_t f) { return (f & kMeshVertex) != 0; });
  } else if (!is_3d && take_2d) {
    // A 2D polyline lies in its object XY plane at the polyline's elevation; the vertices' own
    // Z values are not part of its geometry.
    for (TVecteur& point : points)
      point.Z = elevation;
    ObjectToWorld(extrusion, points);
    const bool curve_points = conversion.EntityChecked(entity_node::kPolylines2DSplinePoints);
    write_vertices("2DPOLYLINE", [&](std::int32_t f) {
      return f == 0 || (f & kSplineFrameVertex) != 0 || curve_points;
    });
  }

  if ((is_3d || is_mesh) && take_3d) {
    conversion.CountEntity(entity_kind::kPolylines3D);
  } else if (!is_3d && take_2d) {
    conversion.CountEntity(entity_kind::kPolylines2D);
  }
}

}  // namespace quorvex
