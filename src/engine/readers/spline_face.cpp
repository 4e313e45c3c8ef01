#include "engine/dxf_conversion.h"
#include "engine/readers/entity_groups.h"
#include "engine/readers/entity_readers.h"

namespace quorvex {

// Coordinates of both kinds are world coordinates, handed on with the digits of the file.

void ReadSpline(DxfConversion& conversion) {
  EntityIdentity identity;
  // Control points (10, 20, 30) and fit points (11, 21, 31) share one current point, and a point
  // is written when its Z arrives, with the X and Y read last, whichever kind gave them.
  TextPoint current;
  const bool control_points = conversion.EntityChecked(entity_node::kSplineControlPoints);
  const bool fit_points = conversion.EntityChecked(entity_node::kSplineFitPoints);
  while (conversion.NextGroup()) {
    identity.Take(conversion);
    switch (conversion.GroupCodeNumber) {
      case 10:
      case 11:
        current.X = conversion.Value();
        break;
      case 20:
      case 21:
        current.Y = conversion.Value();
        break;
      case 30:
        current.Z = conversion.Value();
        if (control_points) WriteTextPoint(conversion, current, identity, "SPLINE");
        break;
      case 31:
        current.Z = conversion.Value();
        if (fit_points) WriteTextPoint(conversion, current, identity, "SPLINE");
        break;
      default:
        break;
    }
  }
  conversion.CountEntity(entity_kind::kSplines);
}

void Read3DFace(DxfConversion& conversion) {
  constexpr int kCornerNodes[4] = {entity_node::kFaceFirst, entity_node::kFaceSecond,
                                   entity_node::kFaceThird, entity_node::kFaceFourth};
  EntityIdentity identity;
  // Only the first corner has a default Z; a missing one fails when its Z is exported.
  TextPoint corners[4];
  for (int i = 1; i < 4; ++i)
    corners[i].Z = {};
  while (conversion.NextGroup()) {
    identity.Take(conversion);
    for (int i = 0; i < 4; ++i)
      TakeTextPoint(conversion, 10 + i, corners[i]);
  }
  for (int i = 0; i < 4; ++i) {
    if (!conversion.EntityChecked(kCornerNodes[i])) continue;
    WriteTextPoint(conversion, corners[i], identity, "3DFACE");
  }
  conversion.CountEntity(entity_kind::kFaces);
}

}  // namespace quorvex
