#include "desk/dxf_browser.h"

#include <gtest/gtest.h>

#include "desk/window_fakes.h"

namespace quorvex {
namespace {

using Names = std::vector<std::string>;

class RecordingFollower final : public FolderFollower {
 public:
  void FolderChanged(const std::string& path) override { paths.push_back(path); }
  std::vector<std::string> paths;
};

class DxfBrowserTest : public ::testing::Test {
 protected:
  DxfBrowserTest() : browser(settings, {}) {
    browser.SetObserver(&observer);
    browser.SetFollower(&follower);
    folder = testing::MakeDrawingFolder(dir.path() / "drawings");
  }

  testing::TempDir dir;
  std::string folder;
  testing::RecordingSettings settings;
  testing::RecordingBrowserObserver observer;
  RecordingFollower follower;
  DxfBrowser browser;
};

TEST_F(DxfBrowserTest, AFolderChangeListsLabelsAndHandsThePathOn) {
  EXPECT_EQ(browser.status_line(), "Files selected.");
  browser.FolderChanged(folder);
  EXPECT_EQ(testing::Rows(browser), (Names{"A*", "b", "c"}));
  EXPECT_EQ(browser.status_line(), "3 DXF files, 1 selected.");
  EXPECT_EQ(browser.label_path(), folder);
  EXPECT_EQ(browser.tree_path(), folder);
  EXPECT_EQ(follower.paths, (Names{folder}));
  EXPECT_EQ(browser.SelectedDxfPaths(), (Names{folder + "/A.dxf"}));
  EXPECT_EQ(observer.calls, (Names{"about", "rows", "status", "status"}));
  EXPECT_TRUE(settings.written.empty());
}

TEST_F(DxfBrowserTest, ALocationWithoutPathEmptiesTheListOnly) {
  browser.FolderChanged(folder);
  browser.FolderChanged("Network");
  EXPECT_TRUE(browser.list().rows().empty());
  EXPECT_EQ(browser.status_line(), "0 DXF file, 0 selected.");
  EXPECT_FALSE(browser.HasSelection());
  EXPECT_EQ(browser.label_path(), folder);
  EXPECT_EQ(browser.tree_path(), "Network");
  EXPECT_EQ(follower.paths, (Names{folder}));
  // Nor does a refresh read a folder of that name relative to the working directory.
  browser.Refresh();
  EXPECT_TRUE(browser.list().rows().empty());
}

TEST_F(DxfBrowserTest, RefreshShowsNewFilesAndLeavesLabelAndFollowerAlone) {
  const std::string other = testing::MakeDrawingFolder(dir.path() / "other");
  browser.FolderChanged(folder);
  browser.FolderChanged(other);
  std::filesystem::rename(other + "/b.dxf", other + "/d.dxf");
  testing::WriteFile(other + "/a2.dxf", "");
  browser.ClickHeader(SortColumn::kName);  // descending
  browser.Refresh();
  EXPECT_EQ(testing::Rows(browser), (Names{"d*", "c", "a2", "A"}));
  EXPECT_EQ(browser.label_path(), other);
  EXPECT_EQ(follower.paths, (Names{folder, other}));
}

TEST_F(DxfBrowserTest, HeaderClicksReverseTheDirectionShadeTheColumnAndFocusTheList) {
  browser.FolderChanged(folder);
  observer.calls.clear();
  EXPECT_EQ(browser.shaded_column(), -1);
  browser.ClickHeader(SortColumn::kSize);
  EXPECT_EQ(testing::Rows(browser), (Names{"b", "c", "A*"}));
  EXPECT_EQ(browser.shaded_column(), 2);
  EXPECT_EQ(observer.calls, (Names{"about", "rows", "status", "focus"}));
  browser.ClickHeader(SortColumn::kSize);
  EXPECT_EQ(testing::Rows(browser), (Names{"A*", "c", "b"}));
  browser.ClickHeader(SortColumn::kModified);
  EXPECT_EQ(testing::Rows(browser), (Names{"A*", "c", "b"}));  // descending: latest first
  EXPECT_EQ(browser.shaded_column(), 1);
  const FileListHeaderState header = browser.HeaderState();
  EXPECT_EQ(header.sort.column, SortColumn::kModified);
  EXPECT_TRUE(header.sort.descending);
  EXPECT_EQ(header.shaded_column, 1);
}

TEST_F(DxfBrowserTest, TheCountLineFollowsEverySelection) {
  const std::string single = (dir.path() / "single").string();
  std::filesystem::create_directory(single);
  testing::WriteFile(single + "/only.dxf", "");
  browser.FolderChanged(single);
  EXPECT_EQ(browser.status_line(), "1 DXF file, 1 selected.");

  browser.FolderChanged(folder);
  browser.SetSelection({true, false, true});
  EXPECT_EQ(browser.status_line(), "3 DXF files, 2 selected.");
  EXPECT_EQ(browser.SelectedDxfPaths(), (Names{folder + "/A.dxf", folder + "/c.dxf"}));
  browser.SetSelection({false, true});  // a short vector leaves the rest unselected
  EXPECT_EQ(browser.status_line(), "3 DXF files, 1 selected.");
  browser.SetSelection({});
  EXPECT_EQ(browser.status_line(), "3 DXF files, 0 selected.");
  EXPECT_FALSE(browser.HasSelection());
  browser.SelectAll();
  EXPECT_EQ(browser.status_line(), "3 DXF files, 3 selected.");
}

TEST_F(DxfBrowserTest, AutoSelectSelectsEveryFileUntilUnchecked) {
  browser.FolderChanged(folder);
  observer.calls.clear();
  browser.ClickAutoSelect(true);
  EXPECT_EQ(testing::Rows(browser), (Names{"A*", "b*", "c*"}));
  EXPECT_EQ(browser.status_line(), "3 files selected.");
  EXPECT_EQ(observer.calls, (Names{"selection", "status", "focus", "status"}));
  EXPECT_EQ(settings.written, (Names{"autosel"}));
  EXPECT_EQ(settings.values.ReadOnOff(setting::kAutoSelect), true);

  browser.SetSelection({true, false, false});
  EXPECT_EQ(browser.status_line(), "3 DXF files, 1 selected.");  // the next change rewrites it
  browser.Refresh();
  EXPECT_EQ(testing::Rows(browser), (Names{"A*", "b*", "c*"}));

  browser.SetSelection({true, false, false});
  browser.ClickAutoSelect(false);  // selects nothing off
  EXPECT_EQ(browser.status_line(), "1 file selected.");
  EXPECT_EQ(settings.values.ReadOnOff(setting::kAutoSelect), false);
  browser.Refresh();
  EXPECT_EQ(testing::Rows(browser), (Names{"A*", "b", "c"}));
}

TEST_F(DxfBrowserTest, RestoringStartsFromTheStoredState) {
  browser.RestoreAutoSelect();  // missing: the box stays unchecked and nothing is written
  EXPECT_FALSE(browser.auto_select());
  EXPECT_TRUE(settings.written.empty());

  browser.FolderChanged(folder);
  FileListHeaderState header;
  header.sort = {SortColumn::kSize, true};
  header.shaded_column = 2;
  browser.RestoreHeader(header);
  EXPECT_EQ(testing::Rows(browser), (Names{"A*", "b", "c"}));  // nothing sorted yet
  EXPECT_EQ(browser.shaded_column(), 2);
  settings.values.WriteOnOff(setting::kAutoSelect, true);
  browser.RestoreAutoSelect();
  EXPECT_TRUE(browser.auto_select());
  EXPECT_EQ(browser.status_line(), "3 files selected.");
  browser.Refresh();
  EXPECT_EQ(testing::Rows(browser), (Names{"b*", "c*", "A*"}));
}

TEST_F(DxfBrowserTest, SelectFilesSelectsExactlyTheNamedRows) {
  browser.FolderChanged(folder);
  EXPECT_EQ(browser.SelectFiles({"c.dxf", "b.dxf", "gone.dxf"}), 2u);
  EXPECT_EQ(testing::Rows(browser), (Names{"A", "b*", "c*"}));
  EXPECT_EQ(browser.status_line(), "3 DXF files, 2 selected.");
  EXPECT_EQ(browser.SelectFiles({"gone.dxf", "notes.txt"}), 0u);
  EXPECT_EQ(testing::Rows(browser), (Names{"A", "b*", "c*"}));
}

}  // namespace
}  // namespace quorvex
