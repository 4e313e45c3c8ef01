// What the command line says of files that did not convert, and of refusals before a run.
#include <gtest/gtest.h>

#include "cli/cli_harness.h"
#include "support/conversion_harness.h"
#include "support/dxf_entity.h"
#include "support/tmpfs_mount.h"

namespace quorvex::cli {
namespace {

namespace fs = std::filesystem;
using testing::Entity;
using testing::ReadFile;

class CliFailuresTest : public CliRunTest {
 protected:
  CliFailuresTest() {
    fs::create_directory(inputs_);
    const std::string point = Entity("POINT", {{10, "1.0"}, {20, "2.0"}, {30, "0.0"}});
    Write("good.dxf", testing::DxfWithEntities(point));
    Write("notdxf.dxf", "  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n  0\nEOF\n");
    // Two points written, then a value that is not a number on line 24.
    Write("bad.dxf",
          testing::DxfWithEntities(point + point + Entity("POINT", {{10, "1,5"}, {20, "2"}})));
  }
  void Write(const std::string& name, const std::string& text) const {
    testing::WriteFile((inputs_ / name).string(), text);
  }
  std::string Input(const std::string& name) const { return (inputs_ / name).string(); }
  std::string Data(const std::string& name) const { return dir_.File("out/" + name); }
  CliRun Run(std::vector<std::string> args) const {
    std::vector<std::string> all = {"-o", dir_.File("out"), "--log", Log()};
    all.insert(all.end(), args.begin(), args.end());
    return RunConverter(all, Program());
  }

  fs::path inputs_ = dir_.path() / "inputs";
};

TEST_F(CliFailuresTest, EveryFileThatDidNotConvertHasItsLineOnTheErrorStream) {
  const CliRun run =
      Run({Input("good.dxf"), Input("absent.dxf"), Input("notdxf.dxf"), Input("bad.dxf")});
  EXPECT_EQ(run.status, kExitFileErrors);
  EXPECT_EQ(run.err, "quorvex-cli: " + Input("absent.dxf") +
                         ": No such file or directory\n"
                         "quorvex-cli: " +
                         Input("notdxf.dxf") +
                         ": the drawing has no ENTITIES section; its data "
                         "file \"" +
                         Data("notdxf.txt") +
                         "\" is incomplete: 0 data lines written before it stopped\n"
                         "quorvex-cli: " +
                         Input("bad.dxf") +
                         ": the value \"1,5\" is not a number (line "
                         "24); its data file \"" +
                         Data("bad.txt") +
                         "\" is incomplete: 2 data lines written "
                         "before it stopped\n");
  // The header line and the two points before the error.
  EXPECT_EQ(testing::DataLines(ReadFile(Data("bad.txt"))).size(), 3u);
  EXPECT_EQ(run.out, "1 file converted, 3 with errors; report: " + Log() + "\n");
  // The report keeps its own words.
  EXPECT_NE(ReadFile(Log()).find("  *** Error, file is used by another application ***"),
            std::string::npos);
}

TEST_F(CliFailuresTest, RemovePartialDeletesOnlyTheDataFilesOfFailedFiles) {
  const CliRun run = Run({"--remove-partial", Input("good.dxf"), Input("bad.dxf")});
  EXPECT_EQ(run.status, kExitFileErrors);
  EXPECT_TRUE(fs::exists(Data("good.txt")));
  EXPECT_FALSE(fs::exists(Data("bad.txt")));
  EXPECT_NE(run.err.find("; its partial data file \"" + Data("bad.txt") + "\" was removed\n"),
            std::string::npos)
      << run.err;
}

TEST_F(CliFailuresTest, NoClobberLeavesExistingDataFilesAndSkipsTheirDrawings) {
  fs::create_directory(dir_.File("out"));
  testing::WriteFile(Data("good.txt"), "kept\r\n");
  Write("other.dxf", ReadFile(Input("good.dxf")));
  const CliRun run = Run({"--no-clobber", Input("good.dxf"), Input("other.dxf")});
  EXPECT_EQ(run.status, kExitConverted) << run.err;
  EXPECT_EQ(ReadFile(Data("good.txt")), "kept\r\n");
  EXPECT_TRUE(fs::exists(Data("other.txt")));
  EXPECT_EQ(run.err, "quorvex-cli: " + Input("good.dxf") +
                         ": Skipped, the data file exists and is left alone\n");
  EXPECT_EQ(run.out, "1 file converted, 0 with errors, 1 skipped; report: " + Log() + "\n");
  EXPECT_NE(ReadFile(Log()).find("  *** Skipped, the data file exists and is left alone ***"),
            std::string::npos);
}

TEST_F(CliFailuresTest, ARerunThatLeavesDataFilesAloneStillConvertsWhatFailed) {
  const std::vector<std::string> inputs = {Input("good.dxf"), Input("notdxf.dxf"),
                                           Input("bad.dxf")};
  std::vector<std::string> args = inputs;
  ASSERT_EQ(Run(args).status, kExitFileErrors);
  args.insert(args.begin(), {"--no-clobber", "-q"});

  const CliRun again = Run(args);

  // The two broken drawings fail again, and say so; the good one is skipped without a word.
  EXPECT_EQ(again.status, kExitFileErrors);
  EXPECT_EQ(again.out, "0 files converted, 2 with errors, 1 skipped; report: " + Log() + "\n");
  EXPECT_EQ(again.err.find("good.dxf"), std::string::npos) << again.err;
  EXPECT_NE(again.err.find("notdxf.dxf: the drawing has no ENTITIES section"), std::string::npos);
  EXPECT_NE(again.err.find("bad.dxf: the value \"1,5\" is not a number"), std::string::npos);
  // Once mended, they convert; the skip keeps its line without -q.
  Write("bad.dxf", ReadFile(Input("good.dxf")));
  args.erase(args.begin() + 1);
  const CliRun mended = Run(args);
  EXPECT_EQ(mended.out, "1 file converted, 1 with errors, 1 skipped; report: " + Log() + "\n");
  EXPECT_NE(mended.err.find("good.dxf: Skipped, the data file exists and is left alone\n"),
            std::string::npos)
      << mended.err;
}

TEST_F(CliFailuresTest, AnIncrementalRunConvertsOnlyWhatChanged) {
  const std::vector<std::string> inputs = {Input("good.dxf"), Input("bad.dxf")};
  std::vector<std::string> args = {"--incremental", "-q"};
  args.insert(args.end(), inputs.begin(), inputs.end());
  ASSERT_EQ(Run(args).status, kExitFileErrors);
  Write("bad.dxf", ReadFile(Input("good.dxf")));
  EXPECT_EQ(Run(args).out, "1 file converted, 0 with errors, 1 skipped; report: " + Log() + "\n");
  const CliRun nothing = Run(args);
  EXPECT_EQ(nothing.status, kExitConverted);
  EXPECT_EQ(nothing.out, "0 files converted, 0 with errors, 2 skipped; report: " + Log() + "\n");
  EXPECT_EQ(nothing.err, "");
  // Other settings are another configuration.
  args.insert(args.begin(), {"--fields", "x,y"});
  EXPECT_EQ(Run(args).out, "2 files converted, 0 with errors; report: " + Log() + "\n");
  // The manifest can be left out, but not when it is to be read.
  EXPECT_TRUE(fs::exists(Data(".quorvex-manifest.json")));
  fs::remove(Data(".quorvex-manifest.json"));
  EXPECT_EQ(Run({"--no-manifest", Input("good.dxf")}).status, kExitConverted);
  EXPECT_FALSE(fs::exists(Data(".quorvex-manifest.json")));
  std::string error;
  EXPECT_FALSE(ParseCliOptions({"--incremental", "--no-manifest", "a.dxf"}, error));
  EXPECT_EQ(error,
            "option --incremental cannot be given with --no-manifest: it reads the manifest");
}

TEST_F(CliFailuresTest, ALogOfADashIsTheStandardOutputAndTheSummaryGoesToTheErrorStream) {
  const CliRun run = RunConverter(
      {"-o", dir_.File("out"), "--log", "-", Input("good.dxf"), Input("notdxf.dxf")}, Program());
  EXPECT_EQ(run.status, kExitFileErrors);
  EXPECT_EQ(run.out.rfind("Quorvex report created ", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("\r\n  *** Error, this is not a valid DXF file ***\r\n"),
            std::string::npos);
  EXPECT_NE(run.err.find("notdxf.dxf: the drawing has no ENTITIES section"), std::string::npos);
  EXPECT_NE(run.err.find("\n1 file converted, 1 with errors; report: standard output\n"),
            std::string::npos)
      << run.err;
}

TEST_F(CliFailuresTest, ADataFileThatFillsTheDiskNeverReplacesTheEarlierOne) {
  const testing::TmpfsMount disk("1m");
  if (!disk.mounted()) GTEST_SKIP() << disk.why_not();
  const std::string point = Entity("POINT", {{10, "1.5"}, {20, "2.5"}, {30, "0.0"}});
  Write("site.dxf", testing::DxfWithEntities(point));
  const std::vector<std::string> args = {"-o",       disk.path().string(), "--log",
                                         Log(),      "--fields",           "x,y,z",
                                         "--header", Input("site.dxf")};
  ASSERT_EQ(RunConverter(args, Program()).status, kExitConverted);
  const std::string earlier = ReadFile(disk.File("site.txt"));
  // The drawing grows: its data file now needs more than the whole disk.
  std::string points;
  for (int i = 0; i < 60000; ++i)
    points += point;
  Write("site.dxf", testing::DxfWithEntities(points));

  const CliRun run = RunConverter(args, Program());

  EXPECT_EQ(run.status, kExitFileErrors);
  EXPECT_EQ(run.err, "quorvex-cli: " + Input("site.dxf") +
                         ": the data file could not be written: No space left on device\n");
  EXPECT_EQ(ReadFile(disk.File("site.txt")), earlier);
  for (const auto& entry : fs::directory_iterator(disk.path()))
    EXPECT_NE(entry.path().extension(), ".tmp") << entry.path() << " was left behind";
  EXPECT_NE(ReadFile(Log()).find(
                "  *** Error, the data file could not be written: No space left on device ***"),
            std::string::npos);
}

TEST_F(CliFailuresTest, AnUnwritableDestinationIsRefusedWithTheSystemsReason) {
  const testing::TmpfsMount read_only("1m", /*read_only=*/true);
  if (!read_only.mounted()) GTEST_SKIP() << read_only.why_not();
  for (const fs::path& destination : {read_only.path(), read_only.path() / "new"}) {
    SCOPED_TRACE(destination);
    const CliRun run =
        RunConverter({"-o", destination.string(), "--log", Log(), Input("good.dxf")}, Program());
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_NE(run.err.find("files can't be created here (Read-only file system)"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(fs::exists(Log()));
  }
}

TEST_F(CliFailuresTest, DestinationsAndExtensionsThatCannotBeAreUsageErrors) {
  testing::WriteFile(dir_.File("file"), "");
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string error;
  };
  const Case cases[] = {
      {"-o naming a file",
       {"-o", dir_.File("file")},
       "Destination \"" + dir_.File("file") + "\" is a file, not a folder"},
      {"-e with a folder",
       {"-e", "../txt"},
       "The data file extension \"../txt\" holds the path separator \"/\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args = c.args;
    args.push_back(Input("good.dxf"));
    const CliRun run = Run(args);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.err.rfind("quorvex-cli: " + c.error, 0), 0u) << run.err;
    EXPECT_FALSE(fs::exists(Log()));
  }
}

}  // namespace
}  // namespace quorvex::cli
