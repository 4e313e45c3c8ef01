#pragma once

#include <span>
#include <string_view>

namespace quorvex {

/// Of `candidates`, the one nearest to the mistyped `word`, counting the letters added, removed,
/// changed or swapped with their neighbour, whatever their letter case: offered as "did you
/// mean" when it is at most two such edits away and those edits are fewer than half of `word`,
/// so that a word is never answered with an unrelated one. Empty when none is that near; the
/// first of equally near ones.
std::string_view NearestWord(std::string_view word, std::span<const std::string_view> candidates);

}  // namespace quorvex
