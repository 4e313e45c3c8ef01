#include "engine/block_name_filter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace quorvex {
namespace {

struct PatternCase {
  const char* name;
  const char* pattern;
  bool matches;
};

TEST(MatchPattern, Cases) {
  const PatternCase cases[] = {
      {"ABC", "A?C", true},
      {"AC", "A?C", false},
      {"ABBC", "A?C", false},
      {"A", "A*", true},
      {"AB", "A*", true},
      {"AB", "A**", true},
      {"A", "A**", false},  // with the name used up, only a single "*" may be left
      {"", "*", true},
      {"", "**", false},
      {"anything", "*", true},
      {"door", "DOOR", true},
      {"DOOR", "door", true},
      {"DOOR2", "DOOR", false},
      {"DOOR", "DOOR2", false},
      {"DOOR$", "DOOR$", true},
      {"DOORS", "DOOR$", false},
      {"!NoBlockName!", "!NO*", true},
      {"!NoBlockName!", "NO*", false},
      {"AXB", "*?B", true},
      {"B", "*?B", false},
      {"abc", "*c*", true},
      {"ab", "*b**", false},
      {"\xC9TAGE", "\xE9TAGE", false},  // only the letters a-z change case
      // A part between stars is found after a false start that shares its beginning.
      {"AAAB", "*AAB", true},
      {"ABABABCX", "*ABABC*", true},
      {"ABABACABABC", "A*ABABC", true},
      {"ABABABAB", "*ABABC*", false},
      {"xAyAzB", "*A*A*B", true},
      {"xAyAzA", "*A*A*B", false},
      {"ABA", "AB*BA", false},  // the two ends may not share the B
      {"ABXBA", "AB*BA", true},
      {"AB\xC3\xA9"
       "CD",
       "*B?C*", true},
      {"AB\xC3\xA9"
       "CD",
       "*B??C*", false},
  };
  for (const PatternCase& c : cases) {
    EXPECT_EQ(MatchPattern(c.name, c.pattern), c.matches)
        << "name \"" << c.name << "\", pattern \"" << c.pattern << "\"";
  }
}

// The matching rule as first written down: a loop over the pattern in which "*" tries every
// rest of the name recursively. Obviously right, exponential on many stars.
bool LiteralMatch(std::string s, std::string p) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  for (char& c : p)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  while (!s.empty() && !p.empty()) {
    if (p[0] == '?') {
      s.erase(0, 1);
      p.erase(0, 1);
    } else if (p[0] == '*') {
      p.erase(0, 1);
      while (!LiteralMatch(s, p) && !s.empty())
        s.erase(0, 1);
    } else if (p[0] == s[0]) {
      s.erase(0, 1);
      p.erase(0, 1);
    } else {
      s.clear();
    }
  }
  return (s.empty() && p.empty()) || p == "*";
}

// Every text of up to `max_length` characters over `alphabet`.
std::vector<std::string> AllTexts(std::string_view alphabet, std::size_t max_length) {
  std::vector<std::string> texts{""};
  for (std::size_t begin = 0; texts.back().size() < max_length;) {
    const std::size_t end = texts.size();
    for (std::size_t i = begin; i < end; ++i)
      for (const char c : alphabet)
        texts.push_back(texts[i] + c);
    begin = end;
  }
  return texts;
}

TEST(MatchPattern, AgreesWithTheLiteralRuleOnEveryShortNameAndPattern) {
  const std::vector<std::string> names = AllTexts("aAb", 4);
  const std::vector<std::string> patterns = AllTexts("ab*?", 5);
  for (const std::string& pattern : patterns) {
    for (const std::string& name : names) {
      ASSERT_EQ(MatchPattern(name, pattern), LiteralMatch(name, pattern))
          << "name \"" << name << "\", pattern \"" << pattern << "\"";
    }
  }
}

// Longer names, where a part between stars can start over inside an earlier try.
TEST(MatchPattern, AgreesWithTheLiteralRuleOnLongerRandomNames) {
  std::mt19937 random(12);
  auto text = [&](std::string_view alphabet, std::size_t max_length) {
    std::string t(random() % (max_length + 1), ' ');
    for (char& c : t)
      c = alphabet[random() % alphabet.size()];
    return t;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::string name = text("ab", 14);
    const std::string pattern = text("aab*?", 9);
    ASSERT_EQ(MatchPattern(name, pattern), LiteralMatch(name, pattern))
        << "name \"" << name << "\", pattern \"" << pattern << "\"";
  }
}

TEST(MatchPattern, ManyStarsOnALongNameFinish) {
  const std::string name(300, 'a');
  EXPECT_FALSE(MatchPattern(name, "*a*a*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(MatchPattern(name + "b", "*a*a*a*a*a*a*a*a*a*a*a*a*b"));
}

TEST(MatchPatternList, Cases) {
  struct ListCase {
    const char* list;
    const char* name;
    bool passes;
  };
  const ListCase cases[] = {
      {"DOOR, WIN*", "door", true},   {"DOOR, WIN*", "WINDOW2", true}, {"DOOR, WIN*", "Win", true},
      {"DOOR, WIN*", "DOOR2", false}, {"DOOR, WIN*", "XWIN", false},   {"DOOR,", "ANYTHING", true},
      {"DOOR,   ", "ANYTHING", true}, {"", "ANYTHING", true},          {" DOOR ", "DOOR", true},
      {"DOOR,, ,WIN", "WIN", true},   {"DOOR,, ,WIN", "TREE", false},  {" , WIN", "WIN", true},
      {"A?C ,B*", "ABC", true},       {"A?C ,B*", "AC", false},
  };
  for (const ListCase& c : cases) {
    EXPECT_EQ(MatchPatternList(c.list, c.name), c.passes)
        << "list \"" << c.list << "\", name \"" << c.name << "\"";
  }
}

}  // namespace
}  // namespace quorvex
