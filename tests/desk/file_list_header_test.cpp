#include "desk/file_list_header.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

FileListHeaderState Stored() {
  FileListHeaderState state;
  state.sort = {SortColumn::kSize, true};
  state.shaded_column = 2;
  state.widths = {80, 120, 293};
  state.order = {2, 0, 1};
  return state;
}

TEST(FileListHeader, RoundTrips) {
  const FileListHeaderState first_start;  // never clicked, design layout
  FileListHeaderState by_date;
  by_date.sort = {SortColumn::kModified, false};
  by_date.shaded_column = 1;
  by_date.widths = {0, 30, 400};
  for (const FileListHeaderState& state : {Stored(), first_start, by_date}) {
    const auto decoded = DecodeFileListHeader(EncodeFileListHeader(state));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, state);
  }
  const std::vector<std::uint8_t> bytes = EncodeFileListHeader(Stored());
  ASSERT_EQ(bytes.size(), 52u);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 12),
            (std::vector<std::uint8_t>{'Q', 'V', 'F', 'H', 1, 0, 0, 0, 2, 0, 0, 0}));
}

TEST(FileListHeader, RefusesBytesItDidNotWrite) {
  // Offsets into the bytes of Stored(): version 4, sort column 8, direction 12, shaded column
  // 16, width count 20, widths 24 to 35, order count 36, order 40 to 51.
  struct Case {
    const char* name;
    std::size_t offset;
    std::int32_t value;
  };
  const Case patched[] = {
      {"tag", 0, 0x48465651 + 1},
      {"version", 4, 2},
      {"sort column too big", 8, 3},
      {"sort column negative", 8, -1},
      {"direction", 12, 2},
      {"shaded column too big", 16, 3},
      {"shaded column below -1", 16, -2},
      {"more widths than bytes", 20, 5},
      {"fewer widths than bytes", 20, 2},
      {"negative width count", 20, -1},
      {"width count beyond 16", 20, 17},
      {"negative width", 28, -5},
      {"order column out of range", 40, 3},
      {"order column twice", 40, 0},
      {"order count beyond 16", 36, 1 << 30},
  };
  for (const Case& c : patched) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint8_t> bytes = EncodeFileListHeader(Stored());
    for (std::size_t i = 0; i < 4; ++i)
      bytes[c.offset + i] =
          static_cast<std::uint8_t>(static_cast<std::uint32_t>(c.value) >> (8 * i));
    EXPECT_FALSE(DecodeFileListHeader(bytes));
  }

  const std::vector<std::uint8_t> good = EncodeFileListHeader(Stored());
  EXPECT_FALSE(DecodeFileListHeader({}));
  EXPECT_FALSE(DecodeFileListHeader({'Q', 'V'}));
  for (std::size_t size = 4; size < good.size(); size += 3)
    EXPECT_FALSE(DecodeFileListHeader({good.begin(), good.begin() + static_cast<long>(size)}))
        << size;
  std::vector<std::uint8_t> longer = good;
  longer.push_back(0);
  EXPECT_FALSE(DecodeFileListHeader(longer));
}

}  // namespace
}  // namespace quorvex
