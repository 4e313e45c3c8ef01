#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvex {

/// True when the whole `name` matches `pattern`, both UTF-8: "*" matches any run of characters
/// (the empty run included), "?" exactly one character, every other character only itself, with
/// the letters a-z matching either case. One quirk is kept on purpose: once the name is used up,
/// what is left of the pattern must be empty or a single "*", so "A**" does not match "A".
bool MatchPattern(std::string_view name, std::string_view pattern);

/// True when `name` matches an entry of the comma-separated `list`. Entries are trimmed and
/// empty ones skipped, except that a list whose last comma is followed by nothing but blanks
/// lets every name pass (as does an empty list).
bool MatchPatternList(std::string_view list, std::string_view name);

/// MatchPatternList over one list for many names: the list is taken apart once and the verdict
/// on each distinct name is kept, so a drawing of many inserts costs one match per distinct
/// block name. A match takes time in proportion to the name's length: the parts of a pattern
/// between its stars are found in the name one after the other; only a part that holds "?"
/// may be compared at each place in turn, at most its length per character of the name.
class BlockNameFilter {
 public:
  explicit BlockNameFilter(std::string_view list);
  ~BlockNameFilter();
  BlockNameFilter(const BlockNameFilter&) = delete;
  BlockNameFilter& operator=(const BlockNameFilter&) = delete;

  bool Passes(std::string_view name);

  struct Pattern;  // one entry of the list, taken apart at its stars

 private:
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const {
      return std::hash<std::string_view>{}(name);
    }
  };
  bool passes_all_ = false;
  std::vector<Pattern> patterns_;
  std::unordered_map<std::string, bool, NameHash, std::equal_to<>> verdicts_;
  std::u32string name_;  // the characters of the name being matched
};

}  // namespace quorvex
