#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "batch/manifest.h"
#include "cli/cli_harness.h"

namespace quorvex::cli {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;

TEST_F(CliRunTest, ConvertsTheSamplesIdenticallyWithOneOrTwoJobs) {
  const CliRun one = RunConverter(
      {"-j", "1", "-o", dir_.File("one"), "--log", Log(), samples_.string()}, Program());
  ASSERT_EQ(one.status, kExitConverted) << one.err;
  const std::string report_one = ReadFile(Log());
  const CliRun two = RunConverter(
      {"-j", "2", "-o", dir_.File("two"), "--log", Log(), samples_.string()}, Program());
  ASSERT_EQ(two.status, kExitConverted) << two.err;
  std::string report_two = ReadFile(Log());

  std::size_t files = 0;
  for (const auto& entry : fs::directory_iterator(dir_.path() / "one")) {
    const std::string name = entry.path().filename().string();
    if (name == kManifestName) continue;
    EXPECT_EQ(ReadFile(entry.path().string()), ReadFile(dir_.File("two/" + name))) << name;
    ++files;
  }
  EXPECT_EQ(files, 4u);
  // The reports differ only in the destination folder they name.
  for (std::size_t at; (at = report_two.find("/two/")) != std::string::npos;) {
    report_two.replace(at, 5, "/one/");
  }
  EXPECT_EQ(report_one, report_two);
  EXPECT_NE(report_one.find("  DXF File  : " + samples_.string() + "/building.dxf\r\n"),
            std::string::npos);
  EXPECT_EQ(one.out, "4 files converted, 0 with errors; report: " + Log() + "\n");
}

TEST_F(CliRunTest, MissingInputIsReportedLikeAnUnreadableFile) {
  const CliRun run = RunConverter({"-o", dir_.File("out"), "--log", Log(),
                                   (samples_ / "road.dxf").string(), dir_.File("absent.dxf")},
                                  Program());
  EXPECT_EQ(run.status, kExitFileErrors);
  EXPECT_NE(ReadFile(Log()).find("  *** Error, file is used by another application ***"),
            std::string::npos);
  EXPECT_EQ(run.out, "1 file converted, 1 with errors; report: " + Log() + "\n");
}

TEST_F(CliRunTest, RefusalsBeforeAnythingIsWrittenExitWithTwo) {
  const std::string road = (samples_ / "road.dxf").string();
  fs::create_directory(dir_.path() / "copy");
  fs::copy_file(road, dir_.path() / "copy" / "road.dxf");
  testing::WriteFile(dir_.File("broken.qrv"), "not a configuration");
  const testing::ReleasedFifo pipe(dir_.File("pipe.qrv"));
  // The default configuration with 20 decimals for Y: its slot starts at 592 + 8 x 256.
  std::string bad_decimals = ReadFile((program_ / "default.qrv").string());
  bad_decimals.replace(2640, 3,
                       "\x02"
                       "20");
  testing::WriteFile(dir_.File("decimals.qrv"), bad_decimals);
  struct Case {
    const char* name;
    std::vector<std::string> args;
    const char* error;
  };
  const Case cases[] = {
      {"same data file", {road, dir_.File("copy/road.dxf")}, "would be written by"},
      {"refused configuration",
       {"-c", dir_.File("broken.qrv"), road},
       "broken.qrv:1: neither a .qrv file nor TOML: "},
      {"configuration that is a pipe",
       {"-c", pipe.path(), road},
       "pipe.qrv\" is not a Quorvex configuration file"},
      {"configuration value", {"-c", dir_.File("decimals.qrv"), road}, "Decimals : \"20\""},
      {"no extension", {"-e", " ", road}, "extension"},
      {"extension that does not fit",
       {"-e", ".abcdefghijk", road},
       "extension \".abcdefghijk\" is refused: it must be 1 to 10 characters, without / or NUL"},
      {"extension that names a folder", {"-e", "t/xt", road}, "holds the path separator \"/\""},
      {"unwritable destination", {"-o", "/proc/quorvex", road}, "/proc/quorvex/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args = {"-o", dir_.File("out"), "--log", Log()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun run = RunConverter(args, Program());
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(Log()));
    EXPECT_FALSE(fs::exists(dir_.File("out")));  // not even the destination is created
  }
}

TEST_F(CliRunTest, LogThatIsAFileOfTheRunIsRefusedBeforeAnythingIsWritten) {
  const std::string road = (samples_ / "road.dxf").string();
  const std::string config = dir_.File("site.qrv");
  fs::copy_file(program_ / "default.qrv", config);
  const std::string out = dir_.File("out");
  fs::create_directory(out);
  testing::WriteFile(out + "/road.txt", "old data\r\n");
  const std::string road_bytes = ReadFile(road);
  struct Case {
    const char* name;
    std::string log;
    std::string bytes;
  };
  const Case cases[] = {
      {"an input drawing", road, road_bytes},
      {"the same drawing through another name", samples_.string() + "/../samples/road.dxf",
       road_bytes},
      {"the configuration", config, ReadFile(config)},
      {"a data file", out + "/road.txt", "old data\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CliRun run = RunConverter({"-c", config, "-o", out, "--log", c.log, road}, Program());
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_NE(run.err.find("is a file that the run reads or writes"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(c.log), c.bytes);
    EXPECT_EQ(ReadFile(out + "/road.txt"), "old data\r\n");
  }
}

TEST_F(CliRunTest, AnInstalledConverterWritesItsLogInTheUserStateFolderOnly) {
  // Installed as root: the programs' folder is writable, the default configuration in share/.
  const fs::path bin = dir_.path() / "usr" / "bin";
  fs::create_directories(bin);
  fs::create_directories(dir_.path() / "usr/share/quorvex");
  fs::copy_file(QUORVEX_DEFAULT_CONFIG_PATH, dir_.path() / "usr/share/quorvex/default.qrv");
  const std::string home = dir_.File("home");
  const std::string state = dir_.File("state");
  const std::string blocked = dir_.File("file");
  testing::WriteFile(blocked, "");
  const std::string blocked_home = blocked + "/home";
  const std::string road = (samples_ / "road.dxf").string();
  struct Case {
    const char* name;
    UserEnvironment user;
    std::vector<std::string> log_option;
    int status;
    std::string log;    // where the report must be, when the run converts
    std::string error;  // what standard error must say otherwise
  };
  const Case cases[] = {
      {"under HOME",
       {home.c_str(), nullptr, nullptr},
       {},
       kExitConverted,
       home + "/.local/state/quorvex/QuorvexLog.txt",
       ""},
      {"XDG_STATE_HOME",
       {home.c_str(), state.c_str(), nullptr},
       {},
       kExitConverted,
       state + "/quorvex/QuorvexLog.txt",
       ""},
      {"no home but --log", {}, {"--log", Log()}, kExitConverted, Log(), ""},
      {"no home and no --log",
       {},
       {},
       kExitUsage,
       "",
       "quorvex-cli: No folder for the log file: neither XDG_STATE_HOME nor HOME is set to an "
       "absolute path; name the log file with --log FILE\n"},
      {"a home that cannot be created",
       {blocked_home.c_str(), nullptr, nullptr},
       {},
       kExitUsage,
       "",
       "quorvex-cli: Folder \"" + blocked +
           "/home/.local/state/quorvex/\" could not be created: Not a directory; name the log "
           "file with --log FILE\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string out = dir_.File(std::string("out ") + c.name);
    std::vector<std::string> args = {"-o", out};
    args.insert(args.end(), c.log_option.begin(), c.log_option.end());
    args.push_back(road);
    const CliRun run = RunConverter(args, bin.string() + "/", c.user);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(fs::exists(out + "/road.txt"), c.status == kExitConverted);
    if (c.status == kExitConverted) {
      EXPECT_EQ(run.out, "1 file converted, 0 with errors; report: " + c.log + "\n");
      EXPECT_NE(ReadFile(c.log).find("road.dxf"), std::string::npos);
    } else {
      EXPECT_EQ(run.err, c.error);
    }
    EXPECT_TRUE(fs::is_empty(bin));
  }
  // The converter only reads configurations: it leaves the user's data folder alone.
  EXPECT_FALSE(fs::exists(home + "/.local/share"));
}

TEST_F(CliRunTest, VersionIsTheLineTheManualPageIsMadeFrom) {
  // help2man takes the program's name and version from a first line "NAME VERSION".
  const CliRun run = RunConverter({"--version"}, Program());
  EXPECT_EQ(run.status, kExitConverted);
  const std::string name = "quorvex-cli ";
  ASSERT_EQ(run.out.rfind(name, 0), 0u) << run.out;
  ASSERT_GT(run.out.size(), name.size() + 1) << run.out;
  EXPECT_EQ(run.out.find_first_not_of("0123456789.", name.size()), run.out.size() - 1) << run.out;
  EXPECT_EQ(run.out.back(), '\n');
}

TEST_F(CliRunTest, NamesReachTheTerminalEscaped) {
  const std::string road = (samples_ / "road.dxf").string();
  const fs::path odd = dir_.path() / "odd\x1B[2J";
  fs::create_directory(odd);
  fs::copy_file(road, odd / "road.dxf");
  const std::string log = (odd / "report\n.txt").string();
  const std::string escaped = dir_.File("odd\\x1B[2J");

  const CliRun clash =
      RunConverter({"-o", dir_.File("out"), road, (odd / "road.dxf").string()}, Program());
  EXPECT_NE(clash.err.find(" and " + escaped + "/road.dxf"), std::string::npos) << clash.err;
  const CliRun run = RunConverter({"-o", dir_.File("out"), "--log", log, road}, Program());
  EXPECT_EQ(run.out, "1 file converted, 0 with errors; report: " + escaped + "/report\\x0A.txt\n");
  EXPECT_EQ(run.err.find('\x1B'), std::string::npos);
}

TEST_F(CliRunTest, FoldersThatCannotBeListedOrHoldNoDrawingAreTold) {
  // A folder that cannot be listed needs a user without the rights to it: not root.
  const fs::path locked = dir_.path() / "locked";
  const fs::path empty = dir_.path() / "empty";
  const fs::path out = dir_.path() / "out";
  fs::create_directories(locked / "inside");
  fs::create_directory(empty);
  fs::create_directory(out);
  fs::permissions(dir_.path(), fs::perms::all);
  fs::permissions(out, fs::perms::all);
  fs::permissions(locked, fs::perms::none);
  const std::string road = (samples_ / "road.dxf").string();
  std::FILE* err = std::tmpfile();
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(99);
    std::string error;
    const auto options =
        ParseCliOptions({"-q", "-o", out.string(), "--log", (out / "report.txt").string(), road,
                         locked.string(), empty.string()},
                        error);
    testing::FixedClock clock;
    std::atomic<bool> cancelled{false};
    CliEnvironment env{stdout, err, false, ChooseProgramPaths(Program(), {}), clock, cancelled};
    const int status = options ? RunCli(*options, env) : 98;
    std::fflush(err);
    _exit(status);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  fs::permissions(locked, fs::perms::all);
  std::rewind(err);
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, err)) > 0;)
    text.append(buffer, n);
  std::fclose(err);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), kExitFileErrors) << text;
  EXPECT_NE(text.find("quorvex-cli: Folder \"" + locked.string() +
                      "/\" could not be listed: Permission denied\n"),
            std::string::npos)
      << text;
  EXPECT_NE(
      text.find("quorvex-cli: warning: folder \"" + empty.string() + "/\" holds no DXF file\n"),
      std::string::npos)
      << text;
  EXPECT_TRUE(fs::exists(out / "road.txt"));
}

}  // namespace
}  // namespace quorvex::cli
