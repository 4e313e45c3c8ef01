#pragma once

#include <span>
#include <string_view>

#include "engine/vecteur.h"

namespace quorvex {

class DxfConversion;

/// Layer and handle of an entity without groups 8 and 5.
inline constexpr std::string_view kNoLayer = "!NoLayer!";
inline constexpr std::string_view kNoHandle = "!NoHandle!";

/// Takes the current pair into the extrusion direction `n` when its group is 210, 220 or 230;
/// false for any other group. Throws ConversionError when the value is not a number.
bool TakeExtrusionGroup(const DxfConversion& conversion, TVecteur& n);

/// Maps `points` from the object coordinates of the extrusion direction `n` to world
/// coordinates; points of an entity whose `n` is exactly (0, 0, 1) are left as they are.
void ObjectToWorld(const TVecteur& n, std::span<TVecteur> points);

}  // namespace quorvex
