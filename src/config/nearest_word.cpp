#include "config/nearest_word.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "engine/text_util.h"

namespace quorvex {
namespace {

// Edits between `a` and `b` in any letter case: a letter added, removed, changed, or two
// neighbours swapped ("pionts" is one edit from "points").
std::size_t EditDistance(std::string_view a, std::string_view b) {
  auto same = [&](std::size_t i, std::size_t j) { return AsciiUpper(a[i]) == AsciiUpper(b[j]); };
  // Three rows of the table: the one two letters of `a` back, the one before, the one filled.
  std::vector<std::size_t> before(b.size() + 1), above(b.size() + 1), row(b.size() + 1);
  std::iota(above.begin(), above.end(), std::size_t{0});
  for (std::size_t i = 1; i <= a.size(); ++i) {
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      row[j] =
          std::min({above[j] + 1, row[j - 1] + 1, above[j - 1] + (same(i - 1, j - 1) ? 0 : 1)});
      if (i > 1 && j > 1 && same(i - 1, j - 2) && same(i - 2, j - 1))
        row[j] = std::min(row[j], before[j - 2] + 1);
    }
    before.swap(above);
    above.swap(row);
  }
  return above[b.size()];
}

}  // namespace

std::string_view NearestWord(std::string_view word, std::span<const std::string_view> candidates) {
  std::string_view nearest;
  std::size_t nearest_distance = 3;
  for (const std::string_view candidate : candidates) {
    const std::size_t distance = EditDistance(word, candidate);
    if (distance < nearest_distance && 2 * distance < word.size()) {
      nearest = candidate;
      nearest_distance = distance;
    }
  }
  return nearest;
}

}  // namespace quorvex
