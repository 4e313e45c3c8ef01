#include "block_name_filter.h"

#include "text_util.h"

namespace quorvex {
namespace {

// Names and patterns are UTF-8, and "?" stands for one character of it: both are compared as
// sequences of characters, each the bytes of one character packed into a number (a byte that
// does not start a character is taken with the one before), with the letters a-z in capitals.
void AppendCharacters(std::string_view text, std::u32string& out) {
  for (std::size_t i = 0; i < text.size();) {
    auto c = static_cast<unsigned char>(AsciiUpper(text[i]));
    char32_t key = c;
    std::size_t end = i + 1;
    for (; end < text.size() && end < i + 4; ++end) {
      c = static_cast<unsigned char>(text[end]);
      if ((c & 0xC0) != 0x80) break;
      key = static_cast<char32_t>(key << 8 | c);
    }
    out.push_back(key);
    i = end;
  }
}

// A run of stars matches what one star matches, except at the end of the name, where only a
// last single star matches the empty rest: a run at the end keeps that it does not.
BlockNameFilter::Pattern Compiled(std::string_view pattern) {
  std::u32string characters;
  AppendCharacters(pattern, characters);
  BlockNameFilter::Pattern compiled;
  std::size_t run = 0;
  for (const char32_t c : characters) {
    run = c == U'*' ? run + 1 : 0;
    if (run <= 1) compiled.chars.push_back(c);
  }
  compiled.last_star_matches_empty = run <= 1;
  return compiled;
}

bool Matches(std::u32string_view name, const BlockNameFilter::Pattern& compiled) {
  // The matching is defined recursively (a "*" tries every rest of the name), which takes
  // exponential time on names and patterns with many stars. This computes the same relation as
  // a table over the rests of the name, one pattern position at a time from the end:
  // matches[i] tells whether name[i..] matches pattern[j..].
  const std::u32string& pattern = compiled.chars;
  const std::size_t n = name.size();
  if (pattern == U"*") return n > 0 || compiled.last_star_matches_empty;
  std::string matches(n + 1, 0);
  matches[n] = 1;
  for (std::size_t j = pattern.size(); j-- > 0;) {
    const char32_t p = pattern[j];
    bool later_match = false;  // name[k..] matched pattern[j+1..] for some k >= i
    bool next_match = false;   // name[i+1..] matched pattern[j+1..]
    for (std::size_t i = n + 1; i-- > 0;) {
      const bool match = matches[i] != 0;
      later_match = later_match || match;
      bool now;
      if (i == n) {
        now = p == U'*' && j + 1 == pattern.size() && compiled.last_star_matches_empty;
      } else if (p == U'*') {
        now = later_match;
      } else {
        now = (p == U'?' || p == name[i]) && next_match;
      }
      matches[i] = now;
      next_match = match;
    }
  }
  return matches[0] != 0;
}

}  // namespace

bool MatchPattern(std::string_view name, std::string_view pattern) {
  std::u32string characters;
  AppendCharacters(name, characters);
  return Matches(characters, Compiled(pattern));
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
  name_.clear();
  AppendCharacters(name, name_);
  bool passes = false;
  for (const Pattern& pattern : patterns_) {
    if (Matches(name_, pattern)) {
      passes = true;
      break;
    }
  }
  verdicts_.emplace(name, passes);
  return passes;
}

}  // namespace quorvex
