#include "engine/file_replacement.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <thread>

#include "support/failing_writer.h"
#include "support/temp_dir.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

// The names in the folder, so that a temporary file left behind shows.
std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ReplaceFile, ReplacesARegularFileOrALinkAndNothingElse) {
  testing::TempDir dir;
  const std::string path = dir.File("site.qrv");
  EXPECT_EQ(ReplaceFile(path, "first"), "");
  EXPECT_EQ(ReplaceFile(path, "second"), "");
  EXPECT_EQ(ReadFile(path), "second");
  // A link in the file's place is replaced, not written through; so is one that leads nowhere.
  WriteFile(dir.File("target"), "kept");
  fs::create_symlink(dir.File("target"), dir.File("link.qrv"));
  fs::create_symlink(dir.File("nowhere"), dir.File("dangling.qrv"));
  for (const char* name : {"link.qrv", "dangling.qrv"}) {
    EXPECT_EQ(ReplaceFile(dir.File(name), "new"), "") << name;
    EXPECT_FALSE(fs::is_symlink(dir.File(name))) << name;
    EXPECT_EQ(ReadFile(dir.File(name)), "new") << name;
  }
  EXPECT_EQ(ReadFile(dir.File("target")), "kept");
  // Neither a folder nor a pipe or a device, nor a link to one, is ever replaced.
  fs::create_directory(dir.File("folder.qrv"));
  ASSERT_EQ(mkfifo(dir.File("pipe.qrv").c_str(), 0600), 0);
  fs::create_symlink(dir.File("pipe.qrv"), dir.File("to-pipe.qrv"));
  fs::create_symlink("/dev/null", dir.File("to-device.qrv"));
  struct Case {
    const char* name;
    const char* reason;
  };
  for (const Case& c : {Case{"folder.qrv", "Is a directory"},
                        {"pipe.qrv", "Not a regular file"},
                        {"to-pipe.qrv", "Not a regular file"},
                        {"to-device.qrv", "Not a regular file"},
                        {"missing/site.qrv", "No such file or directory"}}) {
    EXPECT_EQ(ReplaceFile(dir.File(c.name), "x"), c.reason) << c.name;
  }
  EXPECT_TRUE(fs::is_fifo(dir.File("pipe.qrv")));
  EXPECT_TRUE(fs::is_symlink(dir.File("to-pipe.qrv")));
  EXPECT_TRUE(fs::is_symlink(dir.File("to-device.qrv")));
  EXPECT_EQ(Names(dir.path()),
            (std::vector<std::string>{"dangling.qrv", "folder.qrv", "link.qrv", "pipe.qrv",
                                      "site.qrv", "target", "to-device.qrv", "to-pipe.qrv"}));
}

TEST(ReplaceFile, AFailedWriteLeavesTheOldFileAndNoTemporary) {
  struct Case {
    const char* name;
    std::size_t limit;
    bool fail_close;
    const char* reason;
  };
  const Case cases[] = {
      {"disk full at the start", 0, false, "No space left on device"},
      {"disk full in the middle", 3, false, "No space left on device"},
      {"error reported on close", 100, true, "Input/output error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempDir dir;
    const std::string path = dir.File("QuorvexLog.txt");
    WriteFile(path, "complete earlier file\r\n");
    testing::FailingWriter writer(c.limit);
    writer.fail_close = c.fail_close;
    EXPECT_EQ(ReplaceFile(path, "the new content\r\n", writer), c.reason);
    EXPECT_EQ(ReadFile(path), "complete earlier file\r\n");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"QuorvexLog.txt"});
  }
}

TEST(Replacement, KeepingAnExistingFileFailsAndRemovesTheTemporary) {
  testing::TempDir dir;
  const std::string path = dir.File("a.txt");
  Replacement replacement;
  ASSERT_TRUE(replacement.Start(path));
  replacement.Write("new");
  WriteFile(path, "appeared meanwhile");
  EXPECT_FALSE(replacement.Finish(/*keep_existing=*/true));
  EXPECT_EQ(replacement.error(), "File exists");
  EXPECT_EQ(ReadFile(path), "appeared meanwhile");
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"a.txt"});
}

TEST(ReplaceFile, OfTwoWritersRacingOnOneNameTheFileOnDiskIsOneThatSucceeded) {
  testing::TempDir dir;
  const std::string path = dir.File("site.qrv");
  for (int round = 0; round < 200; ++round) {
    std::string first_reason, second_reason;
    std::thread other([&] { second_reason = ReplaceFile(path, "second"); });
    first_reason = ReplaceFile(path, "first");
    other.join();
    const std::string on_disk = ReadFile(path);
    const std::string& winner_reason = on_disk == "first" ? first_reason : second_reason;
    ASSERT_TRUE(on_disk == "first" || on_disk == "second") << on_disk;
    ASSERT_EQ(winner_reason, "") << "round " << round;
  }
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"site.qrv"});
}

}  // namespace
}  // namespace quorvex
