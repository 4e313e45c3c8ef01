#include "block_name_filter.h"

#include "text_util.h"

namespace quorvex {
namespace {

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// A run of stars matches what one star matches, except at the end of the name, where only a
// last single star matches the empty rest: a run at the end keeps that it does not.
BlockNameFilter::Pattern Compiled(std::string_view pattern) {
  BlockNameFilter::Pattern compiled;
  std::size_t run = 0;
  for (const char c : pattern) {
    run = c == '*' ? run + 1 : 0;
    if (run <= 1) compiled.chars.push_back(Upper(c));
  }
  compiled.last_star_matches_empty = run <= 1;
  return compiled;
}

bool Matches(std::string_view name, const BlockNameFilter::Pattern& compiled) {
  // The matching is defined recursively (a "*" tries every rest of the name), which takes
  // exponential time on names and patterns with many stars. This computes the same relation as
  // a table over the rests of the name, one pattern position at a time from the end:
  // matches[i] tells whether name[i..] matches pattern[j..].
  const std::string& pattern = compiled.chars;
  const std::size_t n = name.size();
  if (pattern == "*") return n > 0 || compiled.last_star_matches_empty;
  std::string matches(n + 1, 0);
  matches[n] = 1;
  for (std::size_t j = pattern.size(); j-- > 0;) {
    const char p = pattern[j];
    bool later_match = false;  // name[k..] matched pattern[j+1..] for some k >= i
    bool next_match = false;   // name[i+1..] matched pattern[j+1..]
    for (std::size_t i = n + 1; i-- > 0;) {
      const bool match = matches[i] != 0;
      later_match = later_match || match;
      bool now;
      if (i == n) {
        now = p == '*' && j + 1 == pattern.size() && compiled.last_star_matches_empty;
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

}  // namespace

bool MatchPattern(std::string_view name, std::string_view pattern) {
  return Matches(name, Compiled(pattern));
}

bool MatchPatternList(std::string_view list, std::string_view name) {
  return BlockNameFilter(list).Passes(name);
}

BlockNameFilter::BlockNameFilter(std::string_view list) {
  for (;;) {
    const std::size_t comma = list.find(',');
    if (comma == std::string_view::npos) break;
    const std::string_view entry = Trimmed(list.substr(0, comma));
    if (!entry.empty()) patterns_.push_back(Compiled(entry));
    list = Trimmed(list.substr(comma + 1));
  }
  list = Trimmed(list);
  passes_all_ = list.empty();
  if (!passes_all_) patterns_.push_back(Compiled(list));
}

bool BlockNameFilter::Passes(std::string_view name) {
  if (passes_all_) return true;
  if (const auto known = verdicts_.find(name); known != verdicts_.end()) return known->second;
  bool passes = false;
  for (const Pattern& pattern : patterns_) {
    if (Matches(name, pattern)) {
      passes = true;
      break;
    }
  }
  verdicts_.emplace(name, passes);
  return passes;
}

}  // namespace quorvex
