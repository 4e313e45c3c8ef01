// UTF-8 by the standard, at the edges of every range of its table of well-formed sequences.
#include "engine/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvex {
namespace {

TEST(Utf8, EveryFormAtTheEdgesOfItsRange) {
  struct Case {
    const char* name;
    std::string text;
    std::size_t character_size;  // of the character that starts the text; 0: none
  };
  const Case cases[] = {
      {"ASCII", "A", 1},
      {"U+0080", "\xC2\x80", 2},
      {"U+07FF", "\xDF\xBF", 2},
      {"overlong two bytes", "\xC1\xBF", 0},
      {"U+0800", "\xE0\xA0\x80", 3},
      {"overlong three bytes", "\xE0\x9F\xBF", 0},
      {"U+D7FF", "\xED\x9F\xBF", 3},
      {"high surrogate", "\xED\xA0\x80", 0},
      {"low surrogate", "\xED\xBF\xBF", 0},
      {"U+E000", "\xEE\x80\x80", 3},
      {"U+10000", "\xF0\x90\x80\x80", 4},
      {"overlong four bytes", "\xF0\x8F\xBF\xBF", 0},
      {"U+10FFFF", "\xF4\x8F\xBF\xBF", 4},
      {"U+110000", "\xF4\x90\x80\x80", 0},
      {"lead F5", "\xF5\x80\x80\x80", 0},
      {"lead F7", "\xF7\xBF\xBF\xBF", 0},
      {"five bytes", "\xF8\x88\x80\x80\x80", 0},
      {"six bytes", "\xFC\x84\x80\x80\x80\x80", 0},
      {"FF", "\xFF", 0},
      {"a continuation byte alone", "\x80", 0},
      {"cut short at the end", "\xE2\x82", 0},
      {"cut short by ASCII",
       "\xE2\x82"
       "A",
       0},
      {"four bytes cut short", "\xF0\x9F\x98", 0},
      {"empty", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf8CharacterSize(c.text), c.character_size);
    EXPECT_EQ(IsUtf8(c.text), c.character_size == c.text.size());
    EXPECT_EQ(ValidUtf8Size("ok " + c.text), 3 + c.character_size);
  }
}

}  // namespace
}  // namespace quorvex
