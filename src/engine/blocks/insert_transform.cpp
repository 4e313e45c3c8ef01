#include "engine/blocks/insert_transform.h"

#include <cmath>
#include "engine/dxf_conversion.h"
#include "engine/readers/entity_groups.h"

namespace quorvex {
namespace {

using Extended = long double;

}  // namespace

void TakePlacementGroup(const DxfConversion& conversion, InsertPlacement& placement) {
  switch (conversion.GroupCodeNumber) {
    case 41:
      placement.scale.X = conversion.NumberValue();
      break;
    case 42:
      placement.scale.Y = conversion.NumberValue();
      break;
    case 43:
      placement.scale.Z = conversion.NumberValue();
      break;
    case 50:
      placement.rotation = conversion.ExtendedNumber(conversion.Value());
      break;
    case 70:
      placement.columns = IntegerValue(conversion);
      break;
    case 71:
      placement.rows = IntegerValue(conversion);
      break;
    case 44:
      placement.column_spacing = conversion.NumberValue();
      break;
    case 45:
      placement.row_spacing = conversion.NumberValue();
      break;
    default:
      break;
  }
}

InsertTransform::InsertTransform(const InsertPlacement& placement, const TVecteur& base_point,
                                 std::int32_t column, std::int32_t row)
    : base_(base_point),
      scale_(placement.scale),
      cell_x_(Extended(column) * placement.column_spacing),
      cell_y_(Extended(row) * placement.row_spacing),
      insertion_(placement.point),
      extrusion_(placement.extrusion),
      object_(NeedsTransform(placement.extrusion)) {
  // The turn is reduced exactly to (-360, 360) first: quarter turns are then recognised, and
  // a large angle loses nothing to the product with pi.
  const Extended degrees = std::fmod(placement.rotation, Extended(360));
  const Extended quarters = degrees / 90;
  if (quarters == std::trunc(quarters)) {
    constexpr Extended kCos[4] = {1, 0, -1, 0};
    const auto quarter = (static_cast<int>(quarters) + 4) % 4;
    cos_ = kCos[quarter];
    sin_ = kCos[(quarter + 3) % 4];
  } else {
    const Extended radians = degrees / 180 * kExtendedPi;
    cos_ = std::cos(radians);
    sin_ = std::sin(radians);
  }
  if (object_) ArbitraryAxes(extrusion_, ax_, ay_);
}

TVecteur InsertTransform::Apply(const TVecteur& point) const {
  const Extended x = (Extended(point.X) - base_.X) * scale_.X + cell_x_;
  const Extended y = (Extended(point.Y) - base_.Y) * scale_.Y + cell_y_;
  const Extended z = (Extended(point.Z) - base_.Z) * scale_.Z;
  const TVecteur placed{static_cast<double>(x * cos_ - y * sin_ + insertion_.X),
                        static_cast<double>(x * sin_ + y * cos_ + insertion_.Y),
                        static_cast<double>(z + insertion_.Z)};
  return object_ ? OcsToWcs(placed, ax_, ay_, extrusion_) : placed;
}

}  // namespace quorvex
