#include <gtest/gtest.h>
#include <unistd.h>

#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/dxf_lines.h"
#include "engine/text_util.h"
#include "support/temp_dir.h"

namespace quorvex {
namespace {

std::vector<std::string> AllLines(const DxfLines& lines) {
  std::vector<std::string> result;
  for (DxfCursor cursor = lines.Begin(); !lines.AtEnd(cursor);) {
    result.emplace_back(lines.Take(cursor));
  }
  return result;
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

TEST(DxfLines, SplitsAtEveryLineEndAndCountsInOnePass) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
  };
  std::vector<Case> cases = {
      {"empty file", "", {}},
      {"CR LF", "0\r\nPOINT\r\n", {"0", "POINT"}},
      {"LF without final end", "0\nPOINT", {"0", "POINT"}},
      {"CR only", "0\rPOINT\r8\r", {"0", "POINT", "8"}},
      {"mixed", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {"CR LF across the last eight bytes", "0\r\n1234567\r\n", {"0", "1234567"}},
      {"empty lines", "\n\r\n\r", {"", "", ""}},
      {"UTF-8 byte-order mark dropped",
       "\xEF\xBB\xBF"
       "0\nA\n",
       {"0", "A"}},
      {"UTF-16 LE",
       std::string("\xFF\xFE"
                   "0\0\n\0\xE9\0\n\0",
                   10),
       {"0", "\xC3\xA9"}},
      {"UTF-16 BE",
       std::string("\xFE\xFF\0"
                   "0\0\r\0\n\0A",
                   10),
       {"0", "A"}},
  };
  for (const char* line_end : {"\n", "\r\n", "\r"}) {
    Case growing{"growing lines", "", {}};
    growing.text = GrowingLines(line_end, growing.lines);
    cases.push_back(std::move(growing));
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto lines = DxfLines::FromText(c.text);
    EXPECT_EQ(AllLines(*lines), c.lines);
    EXPECT_EQ(lines->Count(), static_cast<std::int64_t>(c.lines.size()));
  }
}

// Random texts of short lines, group codes among them, ended all by LF, all by CR LF, or by a
// mix with lone CRs, against a split one byte at a time: every line, the count, and group codes
// read as their trimmed lines.
TEST(DxfLines, SplitsAsALoopOverTheBytesDoes) {
  std::mt19937 random(20261211);
  const std::string_view kPieces[] = {"",     " ",    "0", "  0",   " 10",        "330",
                                      "1001", "  7 ", "x", "12345", "AcDbEntity", "-5409886.753",
                                      "0.0"};
  const std::string_view kEnds[3][3] = {
      {"\n", "\n", "\n"}, {"\r\n", "\r\n", "\r\n"}, {"\n", "\r\n", "\r"}};
  for (int round = 0; round < 3000; ++round) {
    const auto& ends = kEnds[round % 3];
    std::string text;
    const int line_count = 1 + static_cast<int>(random() % 12);
    for (int i = 0; i < line_count; ++i) {
      if (random() % 2 == 0) {
        text += kPieces[random() % std::size(kPieces)];
      } else {
        text.append(random() % 18, static_cast<char>('0' + random() % 10));  // any length
      }
      if (i + 1 < line_count || random() % 2 == 0) text += ends[random() % 3];
    }
    std::vector<std::string> expected;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '\n' && text[i] != '\r') {
        line += text[i];
        continue;
      }
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      expected.push_back(std::exchange(line, {}));
    }
    if (!line.empty()) expected.push_back(line);
    SCOPED_TRACE(text);
    const auto lines = DxfLines::FromText(text);
    EXPECT_EQ(AllLines(*lines), expected);
    EXPECT_EQ(lines->Count(), static_cast<std::int64_t>(expected.size()));
    for (DxfCursor cursor = lines->Begin(); !lines->AtEnd(cursor);) {
      DxfCursor plain = cursor;
      std::string_view digits;
      const std::optional<std::int32_t> code = lines->TakePlainGroupCode(plain, digits);
      const std::string_view taken = lines->Take(cursor);
      if (!code) continue;
      EXPECT_EQ(digits, Trimmed(taken));
      EXPECT_EQ(*code, std::stoi(std::string(digits)));
      EXPECT_EQ(plain.pos, cursor.pos);
      EXPECT_EQ(plain.line, cursor.line);
    }
  }
}

TEST(DxfLines, UnreadablePathGivesReason) {
  std::string reason;
  testing::TempDir dir;
  EXPECT_EQ(DxfLines::Load(dir.File("missing.dxf"), reason), nullptr);
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(DxfLines::Load(dir.path().string(), reason), nullptr);  // a folder
}

TEST(DxfLines, FileShortenedWhileMappedReadsAsZerosInsteadOfCrashing) {
  testing::TempDir dir;
  const std::string path = dir.File("shrinking.dxf");
  std::string text;
  for (int i = 0; i < 100000; ++i)
    text += "  10\n1234567.125\n";
  testing::WriteFile(path, text);
  std::string reason;
  const auto lines = DxfLines::Load(path, reason);
  ASSERT_NE(lines, nullptr);
  EXPECT_FALSE(lines->Changed());
  ASSERT_EQ(truncate(path.c_str(), 0), 0);
  std::size_t bytes = 0;
  for (DxfCursor cursor = lines->Begin(); !lines->AtEnd(cursor);) {
    bytes += lines->Take(cursor).size();
  }
  EXPECT_GT(bytes, 0u);
  EXPECT_TRUE(lines->Changed());
}

}  // namespace
}  // namespace quorvex
