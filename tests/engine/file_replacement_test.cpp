#include "engine/file_replacement.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

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

TEST(ReplaceFile, ReplacesTheFileOrLeavesItAsItWas) {
  testing::TempDir dir;
  const std::string path = dir.File("site.qrv");
  EXPECT_EQ(ReplaceFile(path, "first"), 0);
  EXPECT_EQ(ReplaceFile(path, "second"), 0);
  EXPECT_EQ(ReadFile(path), "second");
  // A link in the file's place is replaced, not written through.
  WriteFile(dir.File("target"), "kept");
  fs::create_symlink(dir.File("target"), dir.File("link.qrv"));
  EXPECT_EQ(ReplaceFile(dir.File("link.qrv"), "new"), 0);
  EXPECT_EQ(ReadFile(dir.File("target")), "kept");
  EXPECT_FALSE(fs::is_symlink(dir.File("link.qrv")));
  // A folder in the file's place cannot be replaced; the temporary file goes.
  fs::create_directory(dir.File("folder.qrv"));
  EXPECT_EQ(ReplaceFile(dir.File("folder.qrv"), "x"), EISDIR);
  EXPECT_EQ(ReplaceFile(dir.File("missing/site.qrv"), "x"), ENOENT);
  EXPECT_EQ(Names(dir.path()),
            (std::vector<std::string>{"folder.qrv", "link.qrv", "site.qrv", "target"}));
}

TEST(PlaceReplacement, KeepingAnExistingFileFailsAndRemovesTheTemporary) {
  testing::TempDir dir;
  const std::string path = dir.File("a.txt");
  WriteFile(path, "old");
  std::string temporary;
  const int fd = CreateReplacement(path, temporary);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(fs::path(temporary).parent_path(), dir.path());
  EXPECT_EQ(fs::path(temporary).filename().string().rfind(kReplacementPrefix, 0), 0u);
  close(fd);
  EXPECT_EQ(PlaceReplacement(temporary, path, /*keep_existing=*/true), EEXIST);
  EXPECT_EQ(ReadFile(path), "old");
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"a.txt"});
}

}  // namespace
}  // namespace quorvex
