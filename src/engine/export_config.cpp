#include "export_config.h"

namespace quorvex {

const std::array<std::string_view, kEntityKindCount> EntityKindNames = {
    "Points",          "Circles",      "Arcs",         "Ellipses", "Lines",    "MultiLine Text",
    "SingleLine Text", "2D Polylines", "3D Polylines", "Splines",  "3D Faces", "Blocks"};

std::string_view ResolvedSeparator(std::int32_t index, std::string_view other_text) {
  static constexpr std::array<std::string_view, 5> kFixed = {",", ";", " ", "\t", "\r\n"};
  // A negative index can only come from a damaged file; the typed text is the safe reading.
  if (index < 0 || index >= static_cast<std::int32_t>(kFixed.size())) return other_text;
  return kFixed[static_cast<std::size_t>(index)];
}

}  // namespace quorvex
