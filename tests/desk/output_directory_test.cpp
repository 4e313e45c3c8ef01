#include "desk/output_directory.h"

#include <gtest/gtest.h>

#include "desk/recording_chooser.h"
#include "desk/window_fakes.h"

namespace quorvex {
namespace {

using Names = std::vector<std::string>;

class RecordingOutputObserver final : public OutputDirectoryObserver {
 public:
  void DestinationChanged() override { calls.emplace_back("destination"); }
  void LockChanged() override { calls.emplace_back("lock"); }
  Names calls;
};

class OutputDirectoryTest : public ::testing::Test {
 protected:
  OutputDirectoryTest() : output(settings), browser(settings, {}) {
    output.SetObserver(&observer);
    browser.SetFollower(&output);
    std::filesystem::create_directory(dir.File("one"));
    std::filesystem::create_directory(dir.File("two"));
  }

  testing::TempDir dir;
  testing::RecordingSettings settings;
  RecordingOutputObserver observer;
  OutputDirectory output;
  DxfBrowser browser;
};

TEST_F(OutputDirectoryTest, LockedFollowsTheFolderTreeUnlockedKeepsItsText) {
  output.SetDestination(dir.File("two"));
  browser.FolderChanged(dir.File("one"));
  EXPECT_EQ(output.destination(), dir.File("two"));  // not locked yet

  observer.calls.clear();
  output.Lock(browser.tree_path());
  EXPECT_TRUE(output.locked());
  EXPECT_EQ(output.destination(), dir.File("one"));
  EXPECT_EQ(settings.written, (Names{"locked"}));
  EXPECT_EQ(settings.values.ReadOnOff(setting::kLocked), true);
  EXPECT_EQ(observer.calls, (Names{"lock", "destination"}));
  browser.FolderChanged(dir.File("two"));
  EXPECT_EQ(output.destination(), dir.File("two"));
  browser.FolderChanged("Network");  // no file-system path: the tree hands nothing over
  EXPECT_EQ(output.destination(), dir.File("two"));

  output.Unlock();
  EXPECT_FALSE(output.locked());
  EXPECT_EQ(settings.values.ReadOnOff(setting::kLocked), false);
  browser.FolderChanged(dir.File("one"));
  EXPECT_EQ(output.destination(), dir.File("two"));
  EXPECT_EQ(settings.written, (Names{"locked", "locked"}));

  // Locking takes the tree's path without any test, a location without a path too.
  browser.FolderChanged("Network");
  output.Lock(browser.tree_path());
  EXPECT_EQ(output.destination(), "Network");
}

TEST_F(OutputDirectoryTest, BrowseStartsOnAnExistingDestinationAndOnlyOkChangesIt) {
  testing::RecordingChooser chooser;
  output.Unlock();
  output.SetDestination(dir.File("one"));
  chooser.answer = dir.File("two");
  output.Browse(chooser);
  EXPECT_EQ(output.destination(), dir.File("two"));

  output.SetDestination(dir.File("gone"));
  chooser.answer.reset();  // Cancel
  output.Browse(chooser);
  EXPECT_EQ(output.destination(), dir.File("gone"));
  EXPECT_EQ(chooser.starts,
            (std::vector<std::optional<std::string>>{dir.File("one"), std::nullopt}));

  output.Lock(dir.File("one"));  // the browse button is disabled while locked
  chooser.answer = dir.File("two");
  output.Browse(chooser);
  EXPECT_EQ(output.destination(), dir.File("one"));
  EXPECT_EQ(chooser.starts.size(), 2u);
}

}  // namespace
}  // namespace quorvex
