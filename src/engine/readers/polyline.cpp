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
                  std::vector<ReadDecimals>& decimals, std::vector<std::int32_t>& flags) {
  TextPoint vertex;
  std::int32_t vertex_flags = 0;
  do {
    while (conversion.NextGroup()) {
      TakeTextPoint(conversion, 10, vertex);
      if (conversion.GroupCodeNumber == 70) vertex_flags = IntegerValue(conversion);
    }
    ReadDecimals read;
    points.push_back({conversion.Number(vertex.X, read.x), conversion.Number(vertex.Y, read.y),
                      conversion.Number(vertex.Z, read.z)});
    decimals.push_back(read);
    flags.push_back(vertex_flags);
  } while (conversion.NextEntityName() != "SEQEND");
}

// Points in object coordinates turned into world coordinates: computed now, so no longer as read.
void ToWorld(const TVecteur& extrusion, std::vector<TVecteur>& points,
             std::vector<ReadDecimals>& decimals) {
  if (!NeedsTransform(extrusion)) return;
  ObjectToWorld(extrusion, points);
  for (ReadDecimals& read : decimals)
    read = {};
}

}  // namespace

void ReadLwPolyline(DxfConversion& conversion) {
  EntityIdentity identity;
  SourcedText elevation{"0", 0}, x;
  TVecteur extrusion{0, 0, 1};
  std::vector<TVecteur>& vertices = conversion.VertexPoints;
  std::vector<ReadDecimals>& decimals = conversion.VertexDecimals;
  vertices.clear();
  decimals.clear();
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
        ReadDecimals read;
        const double vx = conversion.Number(vertex_x, read.x);
        const double vy = conversion.Number(conversion.Value(), read.y);
        vertices.push_back({vx, vy, conversion.Number(elevation, read.z)});
        decimals.push_back(read);
        break;
      }
      default:
        break;
    }
  }
  ToWorld(extrusion, vertices, decimals);
  for (std::size_t i = 0; i < vertices.size(); ++i)
    conversion.WriteReadPoint(vertices[i], decimals[i], identity.handle, identity.layer,
                              "LWPOLYLINE");
  conversion.CountEntity(entity_kind::kPolylines2D);
}

void ReadPolyline(DxfConversion& conversion) {
  EntityIdentity identity;
  double elevation = 0;
  std::optional<ShortDecimal> elevation_decimal = ShortDecimal{};
  std::int32_t polyline_flags = 0;
  TVecteur extrusion{0, 0, 1};
  while (conversion.NextGroup()) {
    identity.Take(conversion);
    TakeNumberPoint(conversion, kExtrusionCode, extrusion);
    if (conversion.GroupCodeNumber == 30) {
      elevation = conversion.Number(conversion.Value(), elevation_decimal);
    } else if (conversion.GroupCodeNumber == 70) {
      polyline_flags = IntegerValue(conversion);
    }
  }
  std::vector<TVecteur>& points = conversion.VertexPoints;
  std::vector<ReadDecimals>& decimals = conversion.VertexDecimals;
  std::vector<std::int32_t>& flags = conversion.VertexFlags;
  points.clear();
  decimals.clear();
  flags.clear();
  // A polyline without vertices is followed directly by its SEQEND.
  if (conversion.NextEntityName() != "SEQEND") ReadVertices(conversion, points, decimals, flags);

  const bool is_3d = (polyline_flags & kPolyline3D) != 0;
  const bool is_mesh = (polyline_flags & (kPolygonMesh | kPolyfaceMesh)) != 0;
  const bool take_3d = conversion.EntityChecked(entity_node::kPolylines3D);
  const bool take_2d = conversion.EntityChecked(entity_node::kPolylines2D);
  // Writes the vertices whose flags `keep` accepts.
  const auto write_vertices = [&](std::string_view entity_type, auto keep) {
    for (std::size_t i = 0; i < points.size(); ++i) {
      if (keep(flags[i])) {
        conversion.WriteReadPoint(points[i], decimals[i], identity.handle, identity.layer,
                                  entity_type);
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
    for (std::size_t i = 0; i < points.size(); ++i) {
      points[i].Z = elevation;
      decimals[i].z = elevation_decimal;
    }
    ToWorld(extrusion, points, decimals);
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
