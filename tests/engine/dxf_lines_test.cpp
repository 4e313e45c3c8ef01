#include "engine/dxf_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvex {
namespace {

std::vector<std::string> AllLines(const DxfLines& lines) {
  std::vector<std::string> out;
  for (DxfCursor cursor = lines.Begin(); !lines.AtEnd(cursor);)
    out.emplace_back(lines.Take(cursor));
  return out;
}

// Lines of every length from 0 to 300, so that the line ends fall on every offset of the
// blocks the line count works in.
std::string GrowingLines(std::string_view line_end, std::vector<std::string>& expected) {
  std::string text;
  for (std::size_t length = 0; length <= 300; ++length) {
    expected.emplace_back(length, 'x');
    text += expected.back();
    text += line_end;
  }
  return text;
}

TEST(DxfLines, CountAndSplitAtEveryKindOfLineEnd) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> expected;
  };
  std::vector<Case> cases = {
      {"LF", "  0\nPOINT\n", {"  0", "POINT"}},
      {"CR LF", "  0\r\nPOINT\r\n", {"  0", "POINT"}},
      {"CR alone", "  0\rPOINT\r", {"  0", "POINT"}},
      {"CR alone among CR LF", "a\r\nb\rc\r\n", {"a", "b", "c"}},
      {"no line end at the end", "a\nb", {"a", "b"}},
      {"empty lines", "\n\r\n\r", {"", "", ""}},
      {"empty text", "", {}},
  };
  for (const char* line_end : {"\n", "\r\n", "\r"}) {
    Case growing{"growing lines", "", {}};
    growing.text = GrowingLines(line_end, growing.expected);
    cases.push_back(std::move(growing));
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::unique_ptr<DxfLines> lines = DxfLines::FromText(c.text);
    EXPECT_EQ(lines->Count(), static_cast<std::int64_t>(c.expected.size()));
    EXPECT_EQ(AllLines(*lines), c.expected);
  }
}

}  // namespace
}  // namespace quorvex
