#include "engine/readers/entity_groups.h"

#include <optional>

#include "engine/number_text.h"

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

void WriteTextPoint(DxfConversion& conversion, const TextPoint& point,
                    const EntityIdentity& identity, std::string_view entity_type) {
  conversion.WriteDataLine(point.X, point.Y, point.Z, identity.handle, identity.layer, entity_type,
                           {}, {});
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

std::int32_t IntegerValue(const DxfConversion& conversion) {
  const std::optional<std::int32_t> value = ParseInt32(conversion.GroupValue);
  if (!value) conversion.FailNotNumber(conversion.Value());
  return *value;
}

TVecteur ObjectToWorld(const TVecteur& point, const TVecteur& n) {
  TVecteur result = point;
  ObjectToWorld(n, {&result, 1});
  return result;
}

void ObjectToWorld(const TVecteur& n, std::span<TVecteur> points) {
  if (!NeedsTransform(n)) return;
  TVecteur ax, ay;
  ArbitraryAxes(n, ax, ay);
  for (TVecteur& point : points)
    point = OcsToWcs(point, ax, ay, n);
}

}  // namespace quorvex
