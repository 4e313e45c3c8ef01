#include "engine/readers/reader_support.h"

#include "engine/dxf_conversion.h"

namespace quorvex {

bool TakeExtrusionGroup(const DxfConversion& conversion, TVecteur& n) {
  switch (conversion.GroupCodeNumber) {
    case 210:
      n.X = conversion.NumberValue();
      return true;
    case 220:
      n.Y = conversion.NumberValue();
      return true;
    case 230:
      n.Z = conversion.NumberValue();
      return true;
    default:
      return false;
  }
}

void ObjectToWorld(const TVecteur& n, std::span<TVecteur> points) {
  if (!NeedsTransform(n)) return;
  TVecteur ax, ay;
  ArbitraryAxes(n, ax, ay);
  for (TVecteur& point : points)
    point = OcsToWcs(point, ax, ay, n);
}

}  // namespace quorvex
