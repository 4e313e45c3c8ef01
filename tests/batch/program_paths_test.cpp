#include "batch/program_paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WriteFile;

TEST(ProgramPaths, ExecutableDirectoryHoldsTheRunningProgram) {
  const std::string directory = ExecutableDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_EQ(directory.back(), '/');
  EXPECT_TRUE(fs::exists(directory + "batch_tests"));
}

TEST(ProgramPaths, ResourcesBesideTheProgramComeBeforeTheInstalledOnes) {
  TempDir root;
  const std::string bin = root.File("bin") + "/";
  const std::string share = root.File("share/quorvex") + "/";
  fs::create_directories(bin);
  fs::create_directories(share);
  WriteFile(share + "default.qrv", "installed");
  EXPECT_EQ(FindResource(bin, "default.qrv"), bin + "../share/quorvex/default.qrv");
  WriteFile(bin + "default.qrv", "beside");
  EXPECT_EQ(FindResource(bin, "default.qrv"), bin + "default.qrv");
  EXPECT_EQ(FindResource(bin, "help.html"), std::nullopt);
}

TEST(ProgramPaths, UserDataDirectoryFollowsTheBaseDirectoryConvention) {
  EXPECT_EQ(UserDataDirectory("/data", "/home/u"), "/data/quorvex/");
  EXPECT_EQ(UserDataDirectory("relative", "/home/u"), "/home/u/.local/share/quorvex/");
  EXPECT_EQ(UserDataDirectory("", "/home/u/"), "/home/u/.local/share/quorvex/");
  EXPECT_EQ(UserDataDirectory(nullptr, nullptr), "");
}

TEST(ProgramPaths, LogAndConfigurationsGoToTheUserFolderWhenTheProgramsIsReadOnly) {
  TempDir root;
  const DataDirectoryChoice writable = ChooseDataDirectory(root.path().string(), "/unused");
  EXPECT_EQ(writable.directory, root.path().string() + "/");
  const ProgramPaths paths{"/opt/quorvex/bin/", writable.directory};
  EXPECT_EQ(paths.LogFile(), writable.directory + "QuorvexLog.txt");
  EXPECT_EQ(paths.ConfigurationsFolder(), writable.directory + "configurations");

  // A missing program folder stands for one without write access (the tests may run as root).
  const std::string user = root.File("home/.local/share/quorvex");
  const DataDirectoryChoice fallback = ChooseDataDirectory(root.File("missing"), user);
  EXPECT_EQ(fallback.directory, user + "/");
  EXPECT_TRUE(fs::is_directory(user + "/configurations"));

  WriteFile(root.File("file"), "");
  const DataDirectoryChoice failed = ChooseDataDirectory(root.File("missing"), root.File("file/q"));
  EXPECT_TRUE(failed.directory.empty());
  EXPECT_EQ(failed.error.rfind("Folder \"" + root.File("file/q") + "/\" could not be created: ", 0),
            0u);
}

}  // namespace
}  // namespace quorvex
