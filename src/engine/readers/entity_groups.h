#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "engine/dxf_conversion.h"
#include "engine/vecteur.h"

namespace quorvex {

/// Layer and handle of an entity without groups 8 and 5.
inline constexpr std::string_view kNoLayer = "!NoLayer!";
inline constexpr std::string_view kNoHandle = "!NoHandle!";

/// Layer and handle of an entity, with the texts written when the file gives none.
struct EntityIdentity {
  std::string_view layer = kNoLayer;
  std::string_view handle = kNoHandle;

  /// Takes the current pair when it is group 8 or 5.
  void Take(const DxfConversion& conversion) {
    if (conversion.GroupCodeNumber == 8) {
      layer = conversion.GroupValue;
    } else if (conversion.GroupCodeNumber == 5) {
      handle = conversion.GroupValue;
    }
  }
};

/// A point whose coordinates are handed on as the file spells them.
struct TextPoint {
  SourcedText X;
  SourcedText Y;
  SourcedText Z{"0"};
};

/// Takes the current pair into `point` when its group is `x_code`, `x_code` + 10 or `x_code` + 20
/// (X, Y, Z).
void TakeTextPoint(const DxfConversion& conversion, int x_code, TextPoint& point);

/// Writes the data line of `point`, with its coordinates as the file spells them, for an entity
/// of `identity` and `entity_type` (no block name, no text).
void WriteTextPoint(DxfConversion& conversion, const TextPoint& point,
                    const EntityIdentity& identity, std::string_view entity_type);

/// As TakeTextPoint, converting the value to a number at once (a bad number fails here, naming
/// its own line). Serves coordinates that are computed with and extrusion directions.
void TakeNumberPoint(const DxfConversion& conversion, int x_code, TVecteur& point);

/// GroupValue as a 32-bit integer; a value that is not one fails, naming its line.
std::int32_t IntegerValue(const DxfConversion& conversion);

/// Groups of the extrusion direction: 210, 220, 230.
inline constexpr int kExtrusionCode = 210;

/// `point` in world coordinates, for an object point of an entity with extrusion direction `n`.
TVecteur ObjectToWorld(const TVecteur& point, const TVecteur& n);

/// Maps every point of `points` from the object coordinates of `n` to world coordinates; the
/// axes are computed once, and nothing changes when `n` is exactly (0, 0, 1).
void ObjectToWorld(const TVecteur& n, std::span<TVecteur> points);

}  // namespace quorvex
