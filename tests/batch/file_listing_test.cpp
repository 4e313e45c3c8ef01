#include "batch/file_listing.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kGiB = std::int64_t{1} << 30;
constexpr std::int64_t kMarch5th2020 = 1583417220;  // an even second

// A file of `size` bytes (sparse) last written at `modified` seconds since 1970.
void MakeFile(const std::string& path, std::int64_t size, std::int64_t modified) {
  testing::WriteFile(path, "");
  fs::resize_file(path, static_cast<std::uintmax_t>(size));
  const timespec times[2] = {{modified, 0}, {modified, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

std::vector<std::string> Names(const FileList& list) {
  std::vector<std::string> names;
  for (const FileRow& row : list.rows())
    names.push_back(row.entry.BaseName + (row.selected ? "*" : ""));
  return names;
}

TEST(ListDxfFiles, ListsDxfFilesOfAnyCaseUnderTheirRealNames) {
  testing::TempDir dir;
  for (const char* name : {"a.dxf", "B.DXF", "e.Dxf", "plan.rev2.dxf", "c.dxf.bak", "dxf", "x.txt"})
    MakeFile(dir.File(name), 5, kMarch5th2020 + 1);
  fs::create_directory(dir.File("d.dxf"));
  FileList list;
  list.List(dir.path().string(), true, {});
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a*", "B*", "e*", "plan.rev2*"}));
  EXPECT_EQ(list.SelectedDxfPaths(dir.path().string()),
            (std::vector<std::string>{dir.File("a.dxf"), dir.File("B.DXF"), dir.File("e.Dxf"),
                                      dir.File("plan.rev2.dxf")}));
  const TFileEntry& entry = list.rows().front().entry;
  EXPECT_EQ(entry.ModifiedTime, kMarch5th2020);  // two-second steps
  EXPECT_EQ(entry.SizeBytes, 5);
  EXPECT_EQ(entry.SizeText, "1 KB");
  const std::time_t modified = kMarch5th2020;
  std::tm local{};
  localtime_r(&modified, &local);
  EXPECT_EQ(entry.DateText, DateText(local, {}));

  FileList unreadable;
  unreadable.List(dir.File("missing"), true, {});
  EXPECT_TRUE(unreadable.rows().empty());
}

TEST(ListDxfFiles, CellTexts) {
  const std::pair<std::int64_t, const char*> sizes[] = {
      {0, "1 KB"}, {1023, "1 KB"}, {1024, "2 KB"}, {2048, "3 KB"}, {3 * kGiB, "3145729 KB"}};
  for (const auto& [bytes, text] : sizes)
    EXPECT_EQ(SizeText(bytes), text) << bytes;

  std::tm t{};
  t.tm_year = 120;
  t.tm_mon = 2;
  t.tm_mday = 5;
  t.tm_hour = 14;
  t.tm_min = 7;
  EXPECT_EQ(DateText(t, {}), "03/05/2020 14:07");
  EXPECT_EQ(DateText(t, {".", "."}), "03.05.2020 14.07");
}

TEST(FileList, HeaderClicksReverseTheDirectionAndSortByTheClickedColumn) {
  testing::TempDir dir;
  MakeFile(dir.File("_x.dxf"), 10, kMarch5th2020 + 100);
  MakeFile(dir.File("a.dxf"), 3 * kGiB, kMarch5th2020);
  MakeFile(dir.File("B.dxf"), 2 * kGiB, kMarch5th2020 + 300);
  MakeFile(dir.File("ab.dxf"), 0, kMarch5th2020 + 200);
  FileList list;
  list.List(dir.path().string(), false, {});
  // Letters compare as capitals, so "_" (after "Z") sorts after every letter.
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a*", "ab", "B", "_x"}));

  const struct {
    SortColumn clicked;
    std::vector<std::string> expected;
  } clicks[] = {
      {SortColumn::kSize, {"a*", "B", "_x", "ab"}},
      {SortColumn::kSize, {"ab", "_x", "B", "a*"}},
      {SortColumn::kName, {"_x", "B", "ab", "a*"}},
      {SortColumn::kModified, {"a*", "_x", "ab", "B"}},
  };
  for (const auto& click : clicks) {
    list.ClickHeader(click.clicked);
    EXPECT_EQ(Names(list), click.expected) << static_cast<int>(click.clicked);
  }

  // A restored header state orders the next listing, not the present one.
  list.SetSortState({SortColumn::kSize, true});
  EXPECT_EQ(Names(list), clicks[3].expected);
  list.Clear();
  list.List(dir.path().string(), false, {});
  EXPECT_EQ(Names(list), clicks[0].expected);
}

TEST(FileList, CountLines) {
  const struct {
    std::size_t rows, selected;
    const char* count_line;
    const char* auto_select_line;
  } cases[] = {{0, 0, "0 DXF file, 0 selected.", "0 file selected."},
               {1, 1, "1 DXF file, 1 selected.", "1 file selected."},
               {2, 1, "2 DXF files, 1 selected.", "1 file selected."},
               {12, 3, "12 DXF files, 3 selected.", "3 files selected."}};
  for (const auto& c : cases) {
    EXPECT_EQ(CountLine(c.rows, c.selected), c.count_line);
    EXPECT_EQ(AutoSelectLine(c.selected), c.auto_select_line);
  }
}

}  // namespace
}  // namespace quorvex
