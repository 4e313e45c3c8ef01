#include "block_name_filter.h"

#include <string>

#include "text_util.h"

namespace quorvex {
namespace {

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool MatchPattern(std::string_view name, std::string_view pattern) {
  // The matching is defined recursively (a "*" tries every rest of the name), which takes
  // exponential time on names and patterns with many stars. This computes the same relation as
  // a table over the rests of the name, one pattern position at a time from the end:
  // matches[i] tells whether name[i..] matches pattern[j..].
  const std::size_t n = name.size();
  std::string matches(n + 1, 0);
  matches[n] = 1;
  for (std::size_t j = pattern.size(); j-- > 0;) {
    const char p = Upper(pattern[j]);
    bool later_match = false;  // name[k..] matched pattern[j+1..] for some k >= i
    bool next_match = false;   // name[i+1..] matched pattern[j+1..]
    for (std::size_t i = n + 1; i-- > 0;) {
      const bool match = matches[i] != 0;
      later_match = later_match || match;
      bool now;
      if (i == n) {
        now = p == '*' && j + 1 == pattern.size();
      } else if (p == '*') {
        now = later_match;
      } else {
        now = (p == '?' || p == Upper(name[i])) && next_match;
      }
      matches[i] = now;
      next_match = match;
    }
  }
  return matches[0] != 0;
}

bool MatchPatternList(std::string_view list, std::string_view name) {
  for (;;) {
    const std::size_t comma = list.find(',');
    if (comma == std::string_view::npos) break;
    const std::string_view entry = Trimmed(list.substr(0, comma));
    if (!entry.empty() && MatchPattern(name, entry)) return true;
    list = Trimmed(list.substr(comma + 1));
  }
  list = Trimmed(list);
  return list.empty() || MatchPattern(name, list);
}

}  // namespace quorvex
