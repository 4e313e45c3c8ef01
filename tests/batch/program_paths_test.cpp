#include "batch/program_paths.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WriteFile;

std::size_t EntriesIn(const fs::path& folder) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

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

TEST(ProgramPaths, PresetsAreInShareBesideTheProgramInEitherLayout) {
  TempDir root;
  const std::string bin = root.File("bin") + "/";
  fs::create_directories(bin);
  WriteFile(bin + "default.qrv", "");
  EXPECT_EQ(ChooseProgramPaths(bin, {"/home/u"}).presets_folder, "");
  fs::create_directories(root.File("share/quorvex/configurations"));
  EXPECT_EQ(ChooseProgramPaths(bin, {"/home/u"}).presets_folder,
            bin + "../share/quorvex/configurations");
  fs::remove(bin + "default.qrv");
  EXPECT_EQ(ChooseProgramPaths(bin, {"/home/u"}).presets_folder,
            bin + "../share/quorvex/configurations");
  EXPECT_EQ(ChooseProgramPaths("", {"/home/u"}).presets_folder, "");
}

TEST(ProgramPaths, OnlyAPortableFolderKeepsTheLogAndTheConfigurationsBesideTheProgram) {
  TempDir root;
  // A build or portable copy: the default configuration beside the program.
  const std::string portable = root.File("portable") + "/";
  fs::create_directory(portable);
  WriteFile(portable + "default.qrv", "");
  // An installation, writable here as it is for root: the default configuration is in share/.
  const std::string bin = root.File("usr/bin") + "/";
  fs::create_directories(bin);
  fs::create_directories(root.File("usr/share/quorvex"));
  WriteFile(root.File("usr/share/quorvex/default.qrv"), "");

  struct Case {
    const char* name;
    std::string program;
    UserEnvironment user;
    std::string log_directory;
    std::string configurations_folder;
  };
  const Case cases[] = {
      {"portable", portable, {"/home/u", "/state", "/data"}, portable, portable + "configurations"},
      {"installed, under HOME",
       bin,
       {"/home/u", nullptr, nullptr},
       "/home/u/.local/state/quorvex/",
       "/home/u/.local/share/quorvex/configurations"},
      {"installed, XDG folders",
       bin,
       {"/home/u", "/state", "/data/"},
       "/state/quorvex/",
       "/data/quorvex/configurations"},
      {"relative XDG folders are ignored",
       bin,
       {"/home/u/", "state", ""},
       "/home/u/.local/state/quorvex/",
       "/home/u/.local/share/quorvex/configurations"},
      {"no home", bin, {nullptr, nullptr, nullptr}, "", ""},
      {"relative home, state folder set", bin, {"home", "/state", nullptr}, "/state/quorvex/", ""},
      {"program folder unknown",
       "",
       {"/home/u", nullptr, nullptr},
       "/home/u/.local/state/quorvex/",
       "/home/u/.local/share/quorvex/configurations"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ProgramPaths paths = ChooseProgramPaths(c.program, c.user);
    EXPECT_EQ(paths.program_directory, c.program);
    EXPECT_EQ(paths.log_directory, c.log_directory);
    EXPECT_EQ(paths.configurations_folder, c.configurations_folder);
    EXPECT_EQ(paths.LogFile(), c.log_directory.empty() ? "" : c.log_directory + "QuorvexLog.txt");
  }
  // Choosing wrote nothing: not the write test's probe, not a folder.
  EXPECT_EQ(EntriesIn(portable), 1u);
  EXPECT_EQ(EntriesIn(bin), 0u);
}

TEST(ProgramPaths, AReadOnlyFolderWithTheDefaultConfigurationIsNotPortable) {
  TempDir root;
  const fs::path program = root.path() / "program";
  fs::create_directory(program);
  WriteFile((program / "default.qrv").string(), "");
  fs::permissions(root.path(),
                  fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                               fs::perms::others_exec);
  // Root may write into any folder: the choice is made by a user without those rights.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (getuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(99);
    const ProgramPaths paths = ChooseProgramPaths(program.string(), {"/home/u", nullptr, nullptr});
    _exit(paths.log_directory == "/home/u/.local/state/quorvex/" ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  fs::permissions(program, fs::perms::owner_all);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(ProgramPaths, PreparingAFolderCreatesItOrSaysWhyNot) {
  TempDir root;
  const std::string blocked = root.File("file");
  WriteFile(blocked, "");
  const ProgramPaths placed{"/usr/bin/", root.File("home/.local/state/quorvex/"),
                            root.File("home/.local/share/quorvex/configurations")};
  EXPECT_EQ(PrepareLogFolder(placed), std::nullopt);
  EXPECT_EQ(PrepareConfigurationsFolder(placed), std::nullopt);
  EXPECT_TRUE(fs::is_directory(placed.log_directory));
  EXPECT_TRUE(fs::is_directory(placed.configurations_folder));
  EXPECT_EQ(PrepareLogFolder(placed), std::nullopt);  // and again, now that it is there

  using Kind = Failure::Kind;
  EXPECT_EQ(PrepareLogFolder({"/usr/bin/", "", ""}), Failure{Kind::kNoLogFolder});
  EXPECT_EQ(PrepareConfigurationsFolder({"/usr/bin/", "", ""}),
            Failure{Kind::kNoConfigurationsFolder});
  const ProgramPaths unusable{"/usr/bin/", blocked + "/state/quorvex/", blocked + "/configs"};
  EXPECT_EQ(
      PrepareLogFolder(unusable),
      (Failure{Kind::kFolderNotCreated, blocked + "/state/quorvex/", {}, 0, "Not a directory"}));
  EXPECT_EQ(PrepareConfigurationsFolder(unusable),
            (Failure{Kind::kFolderNotCreated, blocked + "/configs", {}, 0, "Not a directory"}));
}

}  // namespace
}  // namespace quorvex
