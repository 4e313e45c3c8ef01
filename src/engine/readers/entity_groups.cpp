#include "engine/readers/entity_groups.h"

namespace quorvex {

void TakeTextPoint(const DxfConversion& conversion, int x_code, TextPoint& point) {
  const int code = conversion.GroupCodeNumber;
  if (code == x_code) {
    point.X = conversion.Value();
  } else if (code == x_code + 10) {
    point.Y = conversion.Value();
  } else if (code == x_code + 20) {
    point.Z = conversion.Value();
  }
}

void TakeNumberPoint(const DxfConversion& conversion, int x_code, TVecteur& point) {
  const int code = conversion.GroupCodeNumber;
  if (code == x_code) {
    point.X = conversion.NumberValue();
  } else if (code == x_code + 10) {
    point.Y = conversion.NumberValue();
  } else if (code == x_code + 20) {
    point.Z = conversion.NumberValue();
  }
}

TVecteur ObjectToWorld(const TVecteur& point, const TVecteur& n) {
  if (!NeedsTransform(n)) return point;
  TVecteur ax, ay;
  ArbitraryAxes(n, ax, ay);
  return OcsToWcs(point, ax, ay, n);
}

}  // namespace quorvex
