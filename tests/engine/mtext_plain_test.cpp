#include "engine/mtext_plain.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

TEST(PlainMText, RemovesFormattingCodesAndKeepsTheText) {
  struct Case {
    const char* name;
    const char* text;
    const char* plain;
  };
  const Case cases[] = {
      {"paragraphs and non-breaking blanks", "One\\PTwo\\~Three", "One Two Three"},
      {"font in a group", "{\\fArial|b1|i0|c0|p34;Title} rest", "Title rest"},
      {"height, colour, width, tracking", "\\H2.5x;\\C1;\\W0.8;\\T1.1;A", "A"},
      {"alignment and slant", "\\A1;\\Q15;B", "B"},
      {"underline, overline and strike toggles", "\\Lu\\l \\Oo\\o \\Kk\\k", "u o k"},
      {"stacked fractions", "1\\S1^2; and \\S3#4;", "11/2 and 3/4"},
      {"escaped backslash and braces", "C:\\\\dir \\{x\\}", "C:\\dir {x}"},
      {"unknown code kept", "\\U+00E9 \\X", "\\U+00E9 \\X"},
      {"code without its end", "a\\H2", "a"},
      {"backslash at the end", "a\\", "a\\"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlainMText(c.text), c.plain) << c.name;
}

}  // namespace
}  // namespace quorvex
