#pragma once

#include <cstdint>

namespace quorvex {

/// Whether the contents of inserted blocks are exported, in world coordinates, and how much of
/// them one drawing may expand to. Off by default.
struct ExpansionSettings {
  static constexpr std::int64_t kDefaultLimit = 10'000'000;
  /// The highest limit a configuration may ask for: data files of tens of gigabytes.
  static constexpr std::int64_t kHighestLimit = 999'999'999;

  bool expand_blocks = false;
  /// The expanded entities of one drawing beyond which its conversion stops and fails: each
  /// entity placed from a block counts once, or once per data line when it writes several, and
  /// each insert inside a block once for itself.
  std::int64_t limit = kDefaultLimit;

  friend bool operator==(const ExpansionSettings&, const ExpansionSettings&) = default;
};

}  // namespace quorvex
