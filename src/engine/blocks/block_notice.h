#pragma once

#include <string>

namespace quorvex {

/// How many levels of blocks an insert of the ENTITIES section expands to: its own block's
/// contents are the first.
inline constexpr int kExpansionLevels = 32;

/// A part of a drawing's blocks that its expansion left out, told once per block name.
struct BlockNotice {
  enum class Kind {
    kNotDefined,      // inserts of a name that the BLOCKS section does not define
    kContainsItself,  // an insert of a block inside itself, directly or through others
    kTooDeep,         // an insert whose contents would lie deeper than the levels expanded
  };
  Kind kind;
  std::string name;  // decoded, as the first insert concerned spells it

  friend bool operator==(const BlockNotice&, const BlockNotice&) = default;
};

}  // namespace quorvex
