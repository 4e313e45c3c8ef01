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
  SourcedText x, y, z{"0", 0};
  std::int32_t vertex_flags = 0;
  do {
    while (conversion.NextGroup()) {
      switch (conversion.GroupCodeNumber) {
        case 10:
          x = conversion.Value();
          break;
        case 20:
          y = conversion.Value();
          break;
        case 30:
          z = conversion.Value();
          break;
        case 70:
          vertex_flags = IntegerValue(conversion);
          break;
      }
    }
    points.push_back({conversion.Number(x), conversion.Number(y), conversion.Number(z)});
    flags.push_back(vertex_flags);
  } while (conversion.NextEntityName() != "SEQEND");
}

}  // namespace

void ReadLwPolyline(DxfConversion& conversion) {
  std::string_view layer = kNoLayer, handle = kNoHandle;
  SourcedText elevation{"0", 0}, x;
  TVecteur extrusion{0, 0, 1};
  std::vector<TVecteur> vertices;
  while (conversion.NextGroup()) {
    switch (conversion.GroupCodeNumber) {
      case 5:
        handle = conversion.GroupValue;
        break;
      case 8:
        layer = conversion.GroupValue;
        break;
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
        TakeNumberPoint(conversion, kExtrusionCode, extrusion);
    }
  }
  ObjectToWorld(extrusion, vertices);
  for (const TVecteur& vertex : vertices)
    conversion.WriteComputedPoint(vertex, handle, layer, "LWPOLYLINE");
  conversion.CountEntity(entity_kind::kPolylines2D);
}

void ReadPolyline(DxfConversion& conversion) {
  std::string_view layer = kNoLayer, handle = kNoHandle;
  double elevation = 0;
  std::int32_t polyline_flags = 0;
  TVecteur extrusion{0, 0, 1};
  while (conversion.NextGroup()) {
    switch (conversion.GroupCodeNumber) {
      case 5:
        handle = conversion.GroupValue;
        break;
      case 8:
        layer = conversion.GroupValue;
        break;
      case 30:
        elevation = conversion.NumberValue();
        break;
      case 70:
        polyline_flags = IntegerValue(conversion);
        break;
      default:
        TakeNumberPoint(conversion, kExtrusionCode, extrusion);
    }
  }
  std::vector<TVecteur> points;
  std::vector<std::int32_t> flags;
  // A polyline without vertices is followed directly by its SEQEND.
  if (conversion.NextEntityName() != "SEQEND") ReadVertices(conversion, points, flags);

  const bool is_3d = (polyline_flags & kPolyline3D) != 0;
  const bool is_mesh = (polyline_flags & (kPolygonMesh | kPolyfaceMesh)) != 0;
  const bool take_3d = conversion.EntityChecked(entity_node::kPolylines3D);
  const bool take_2d = conversion.EntityChecked(entity_node::kPolylines2D);
  if (is_3d && take_3d) {
    const bool spline_points = conversion.EntityChecked(entity_node::kPolylines3DSplinePoints);
    for (std::size_t i = 0; i < points.size(); ++i) {
      if (flags[i] == kPolyline3DVertex || (flags[i] & kSplineFrameVertex) != 0 || spline_points) {
        conversion.WriteComputedPoint(points[i], handle, layer, "3DPOLYLINE");
      }
    }
  } else if (is_mesh && take_3d) {
    for (std::size_t i = 0; i < points.size(); ++i) {
      if ((flags[i] & kMeshVertex) != 0) {
        conversion.WriteComputedPoint(points[i], handle, layer, "3DPOLYLINE");
      }
    }
  } else if (!is_3d && take_2d) {
    // A 2D polyline lies in its object XY plane at the polyline's elevation; the vertices' own
    // Z values are not part of its geometry.
    for (TVecteur& point : points)
      point.Z = elevation;
    ObjectToWorld(extrusion, points);
    const bool curve_points = conversion.EntityChecked(entity_node::kPolylines2DSplinePoints);
    for (std::size_t i = 0; i < points.size(); ++i) {
      if (flags[i] == 0 || (flags[i] & kSplineFrameVertex) != 0 || curve_points) {
        conversion.WriteComputedPoint(points[i], handle, layer, "2DPOLYLINE");
      }
    }
  }

  if ((is_3d || is_mesh) && take_3d) {
    conversion.CountEntity(entity_kind::kPolylines3D);
  } else if (!is_3d && take_2d) {
    conversion.CountEntity(entity_kind::kPolylines2D);
  }
}

}  // namespace quorvex
