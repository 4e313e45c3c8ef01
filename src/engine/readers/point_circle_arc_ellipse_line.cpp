#include <cmath>

#include "engine/dxf_conversion.h"
#include "engine/readers/entity_groups.h"
#include "engine/readers/entity_readers.h"

namespace quorvex {
namespace {

using Extended = long double;

// Degrees to radians. The text is read straight to its extended value, so that the division and
// the product with pi are not preceded by a rounding to double.
double Radians(const DxfConversion& conversion, SourcedText degrees) {
  return static_cast<double>(conversion.ExtendedNumber(degrees) / 180 * kExtendedPi);
}

// The point at `angle` on the circle of `radius` around `centre`, in the object's XY plane.
TVecteur PointOnArc(const TVecteur& centre, double radius, double angle) {
  const Extended a = angle;
  return {static_cast<double>(centre.X + radius * std::cos(a)),
          static_cast<double>(centre.Y + radius * std::sin(a)), centre.Z};
}

}  // namespace

void ReadPoint(DxfConversion& conversion) {
  EntityIdentity identity;
  TextPoint point;
  while (conversion.NextGroup()) {
    identity.Take(conversion);
    TakeTextPoint(conversion, 10, point);
  }
  WriteTextPoint(conversion, point, identity, "POINT");
  conversion.CountEntity(entity_kind::kPoints);
}

void ReadCircle(DxfConversion& conversion) {
  EntityIdentity identity;
  TVecteur centre;
  TVecteur extrusion{0, 0, 1};
  while (conversion.NextGroup()) {
    identity.Take(conversion);
    TakeNumberPoint(conversion, 10, centre);
    TakeNumberPoint(conversion, kExtrusionCode, extrusion);
  }
  conversion.WriteComputedPoint(ObjectToWorld(centre, extrusion), identity.handle, identity.layer,
                                "CIRCLE");
  conversion.CountEntity(entity_kind::kCircles);
}

void ReadArc(DxfConversion& conversion) {
  EntityIdentity identity;
  TVecteur centre;
  TVecteur extrusion{0, 0, 1};
  SourcedText radius_text, start_text, end_text;
  while (conversion.NextGroup()) {
    identity.Take(conversion);
    TakeNumberPoint(conversion, 10, centre);
    TakeNumberPoint(conversion, kExtrusionCode, extrusion);
    switch (conversion.GroupCodeNumber) {
      case 40:
        radius_text = conversion.Value();
        break;
      case 50:
        start_text = conversion.Value();
        break;
      case 51:
        end_text = conversion.Value();
        break;
      default:
        break;
    }
  }
  // Converted whichever points are exported: an arc without radius or angles always fails.
  const double radius = conversion.Number(radius_text);
  const double start = Radians(conversion, start_text);
  const double end = Radians(conversion, end_text);

  auto write = [&](const TVecteur& object_point) {
    conversion.WriteComputedPoint(ObjectToWorld(object_point, extrusion), identity.handle,
                                  identity.layer, "ARC");
  };
  if (conversion.EntityChecked(entity_node::kArcStart)) write(PointOnArc(centre, radius, start));
  if (conversion.EntityChecked(entity_node::kArcEnd)) write(PointOnArc(centre, radius, end));
  if (conversion.EntityChecked(entity_node::kArcCenter)) write(centre);
  conversion.CountEntity(entity_kind::kArcs);
}

void ReadEllipse(DxfConversion& conversion) {
  EntityIdentity identity;
  TVecteur centre;
  // The centre of an ellipse is given in world coordinates: its extrusion is not read.
  while (conversion.NextGroup()) {
    identity.Take(conversion);
    TakeNumberPoint(conversion, 10, centre);
  }
  conversion.WriteComputedPoint(centre, identity.handle, identity.layer, "ELLIPSE");
  conversion.CountEntity(entity_kind::kEllipses);
}

void ReadLine(DxfConversion& conversion) {
  EntityIdentity identity;
  TextPoint start, end;
  while (conversion.NextGroup()) {
    identity.Take(conversion);
    TakeTextPoint(conversion, 10, start);
    TakeTextPoint(conversion, 11, end);
  }
  if (conversion.EntityChecked(entity_node::kLineStart)) {
    WriteTextPoint(conversion, start, identity, "LINE");
  }
  if (conversion.EntityChecked(entity_node::kLineEnd)) {
    WriteTextPoint(conversion, end, identity, "LINE");
  }
  conversion.CountEntity(entity_kind::kLines);
}

}  // namespace quorvex
