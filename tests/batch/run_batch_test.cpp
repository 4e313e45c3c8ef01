#include "batch/run_batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <thread>

#include "batch/data_file_name.h"
#include "batch/file_listing.h"
#include "batch/manifest.h"
#include "batch_fakes.h"
#include "engine/file_replacement.h"
#include "engine/report_words.h"
#include "engine/utf8.h"
#include "support/conversion_harness.h"
#include "support/temp_dir.h"
#include "support/tmpfs_mount.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

const std::string kRule(100, '-');
const std::string kHatches = testing::DxfWithEntities("  0\nHATCH\n 10\n1.0\n");  // 4 pairs
const std::string kNotDxf = "  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n";

std::string LogText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  return text;
}

std::vector<std::string> CountLines() {
  return {"  Processed entities count : 0", "", "    Points : 0 ", "    Blocks : 0 (TREE*)", kRule};
}

class RunBatchTest : public ::testing::Test {
 protected:
  RunBatchTest() {
    setup_.Entities({entity_node::kPoints, entity_node::kBlocks})
        .Fields({field_node::kX, field_node::kY})
        .Separator(";")
        .Header(true)
        .BlockFilter("TREE*");
    setup_.config.DataFileExtension.Assign("txt");
    fs::create_directory(source_);
    fs::create_directory(out_);
    request_.destination = out_;
    request_.log_path = log_;
  }

  std::string Source(const std::string& name, std::string_view text) {
    const std::string path = source_ + "/" + name;
    WriteFile(path, text);
    return path;
  }

  BatchResult Run() {
    BatchEnvironment env{observer_, clock_, cancelled_};
    return RunBatch(setup_.config, setup_.tables, request_, env);
  }

  // Every file in the destination with its bytes, but the manifest.
  std::map<std::string, std::string> Outputs() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(out_)) {
      if (entry.path().filename() != kManifestName)
        files[entry.path().filename()] = ReadFile(entry.path());
    }
    return files;
  }

  testing::TempDir root_;
  const std::string source_ = root_.File("drawings");
  const std::string out_ = root_.File("out");
  const std::string log_ = root_.File("QuorvexLog.txt");
  testing::TestSetup setup_;
  BatchRequest request_;
  std::atomic<bool> cancelled_{false};
  testing::RecordingObserver observer_{cancelled_};
  testing::FixedClock clock_;
};

TEST_F(RunBatchTest, ReportNumbersTheSelectedRowsInDisplayOrder) {
  for (const char* name : {"a.dxf", "c.dxf", "d.dxf", "e.DXF"})
    Source(name, kHatches);
  Source("b.dxf", kNotDxf);
  FileList list;
  list.List(source_, true, {});
  list.SetSelected(0, false);  // a
  list.SetSelected(3, false);  // d
  request_.dxf_paths = list.SelectedDxfPaths(source_);
  cancelled_ = true;  // left set by an earlier stopped run

  const BatchResult result = Run();

  std::vector<std::string> expected = {"Quorvex report created 03/05/20 14:07:09",
                                       "",
                                       "Number of processed files : 3",
                                       kRule,
                                       "",
                                       "File 1 :",
                                       "",
                                       "  DXF File  : " + source_ + "/b.dxf",
                                       "  Data File : " + out_ + "/b.txt",
                                       "",
                                       "  *** Error, this is not a valid DXF file ***",
                                       kRule};
  for (const auto& [k, name] : {std::pair{2, "c"}, {3, "e"}}) {
    const std::string dxf = std::string(name) + (k == 3 ? ".DXF" : ".dxf");
    for (const std::string& line :
         {"File " + std::to_string(k) + " :", std::string(), "  DXF File  : " + source_ + "/" + dxf,
          "  Data File : " + out_ + "/" + name + ".txt", std::string()}) {
      expected.push_back(line);
    }
    for (const std::string& line : CountLines())
      expected.push_back(line);
  }
  EXPECT_EQ(result.end, BatchEnd::kFinished);
  EXPECT_EQ(result.report, expected);
  EXPECT_EQ(ReadFile(log_), LogText(expected));
  EXPECT_EQ(result.Outcomes(),
            (std::vector{ConversionOutcome::kFailed, ConversionOutcome::kConverted,
                         ConversionOutcome::kConverted}));
  const std::string header = "X (East) coordinate;Y (North) coordinate\r\n";
  EXPECT_EQ(Outputs(), (std::map<std::string, std::string>{
                           {"b.txt", header}, {"c.txt", header}, {"e.txt", header}}));
  EXPECT_EQ(observer_.hidden, 1);
  EXPECT_FALSE(result.refusal || result.log_failure);
}

TEST_F(RunBatchTest, StopDuringSecondFileKeepsItsLinesAndLeavesTheRestUntouched) {
  for (const char* name : {"1.dxf", "2.dxf", "3.dxf", "4.dxf"})
    request_.dxf_paths.push_back(Source(name, kHatches));
  observer_.cancel_at_pair = 6;  // the second pair of the second file

  const BatchResult result = Run();

  EXPECT_EQ(result.end, BatchEnd::kCancelled);
  const std::vector<std::string> tail(result.report.end() - 7, result.report.end());
  EXPECT_EQ(tail, (std::vector<std::string>{
                      kRule, "File 2 :", "", "  DXF File  : " + source_ + "/2.dxf",
                      "  Data File : " + out_ + "/2.txt", "", "*** Process canceled by user ***"}));
  EXPECT_EQ(result.report[2], "Number of processed files : 4");
  EXPECT_EQ(ReadFile(log_), LogText(result.report));
  EXPECT_EQ(result.Outcomes(),
            (std::vector{ConversionOutcome::kConverted, ConversionOutcome::kCancelled}));
  const auto outputs = Outputs();
  EXPECT_EQ(outputs.size(), 2u);
  EXPECT_EQ(outputs.at("2.txt"), "X (East) coordinate;Y (North) coordinate\r\n");
  EXPECT_EQ(observer_.started, (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(observer_.hidden, 1);
}

TEST_F(RunBatchTest, UnwritableDestinationStopsBeforeAnything) {
  request_.dxf_paths = {Source("a.dxf", kHatches)};
  WriteFile(log_, "old report\r\n");
  request_.destination = root_.File("gone");

  const BatchResult result = Run();

  EXPECT_EQ(result.end, BatchEnd::kDestinationNotWritable);
  EXPECT_EQ(result.refusal, (Failure{Failure::Kind::kDestinationNotWritable,
                                     request_.destination + "/",
                                     {},
                                     0,
                                     "No such file or directory"}));
  EXPECT_TRUE(result.report.empty());
  EXPECT_EQ(ReadFile(log_), "old report\r\n");
  EXPECT_TRUE(observer_.started.empty());
}

TEST_F(RunBatchTest, ARefusedDestinationGivesTheSystemsReason) {
  const testing::TmpfsMount read_only("1m", /*read_only=*/true);
  if (!read_only.mounted()) GTEST_SKIP() << read_only.why_not();
  request_.dxf_paths = {Source("a.dxf", kHatches)};
  request_.destination = read_only.path().string();

  const BatchResult result = Run();

  EXPECT_EQ(result.end, BatchEnd::kDestinationNotWritable);
  ASSERT_TRUE(result.refusal);
  EXPECT_EQ(result.refusal->reason, "Read-only file system");
  EXPECT_EQ(FailureText(*result.refusal),
            "Destination directory \"" + request_.destination +
                "/\" is write-protected, files can't be created here (Read-only file system). "
                "Please select another directory.");
}

TEST_F(RunBatchTest, ConfigurationValuesAreCheckedOnceBeforeAnythingIsWritten) {
  using Kind = Failure::Kind;
  struct Case {
    const char* name;
    int node;  // -1: the extension
    std::string value;
    Failure failure;
  };
  const Case cases[] = {
      {"decimals beyond 14",
       field_node::kYDecimals,
       "20",
       {Kind::kConfigValueRefused, {}, "20", 0, {}, field_node::kYDecimals}},
      {"decimals not a number",
       field_node::kXDecimals,
       " three ",
       {Kind::kConfigValueRefused, {}, "three", 0, {}, field_node::kXDecimals}},
      {"start not an integer",
       field_node::kGroupStart,
       "1st",
       {Kind::kConfigValueRefused, {}, "1st", 0, {}, field_node::kGroupStart}},
      {"force to with a comma",
       field_node::kZForceTo,
       "1,5",
       {Kind::kConfigValueRefused, {}, "1,5", 0, {}, field_node::kZForceTo}},
      {"extension with a slash", -1, "t/xt", {Kind::kExtensionRefused, {}, "t/xt"}},
      {"extension with a NUL",
       -1,
       std::string("t\0xt", 4),
       {Kind::kExtensionRefused, {}, std::string("t\0xt", 4)}},
      {"extension of blanks", -1, "  ", {Kind::kExtensionRefused, {}, "  "}},
  };
  request_.dxf_paths = {Source("a.dxf", kHatches)};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TestSetup setup = setup_;
    if (c.node < 0) {
      setup.config.DataFileExtension.Assign(c.value);
    } else {
      setup.config.FieldValues[c.node].Assign(c.value);
    }
    BatchEnvironment env{observer_, clock_, cancelled_};

    const BatchResult result = RunBatch(setup.config, setup.tables, request_, env);

    EXPECT_EQ(result.end, BatchEnd::kConfigurationRefused);
    EXPECT_EQ(result.refusal, c.failure);
    EXPECT_TRUE(result.report.empty());
  }
  EXPECT_FALSE(fs::exists(log_));
  EXPECT_TRUE(Outputs().empty());
  EXPECT_TRUE(observer_.started.empty());
}

TEST_F(RunBatchTest, NamesCannotForgeReportLinesNorMakeTheReportInvalidUtf8) {
  struct Case {
    std::string name;
    std::string escaped;
  };
  const Case cases[] = {
      {"a\nFile 9 :\x1B[2J", "a\\x0AFile 9 :\\x1B[2J"},
      // A name written in a single-byte code page, and one with a C1 control.
      {"Pl\xE4ne \xC2\x9B"
       "2J",
       "Pl\\xE4ne \\xC2\\x9B"
       "2J"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.escaped);
    request_.dxf_paths = {Source(c.name + ".dxf", kHatches)};

    const BatchResult result = Run();

    EXPECT_EQ(std::vector<std::string>(result.report.begin() + 7, result.report.begin() + 9),
              (std::vector<std::string>{"  DXF File  : " + source_ + "/" + c.escaped + ".dxf",
                                        "  Data File : " + out_ + "/" + c.escaped + ".txt"}));
    const std::string log = ReadFile(log_);
    EXPECT_TRUE(IsUtf8(log));
    EXPECT_EQ(log.find('\x1B'), std::string::npos);
    EXPECT_EQ(Outputs().count(c.name + ".txt"), 1u);  // created under its real name
  }
}

TEST_F(RunBatchTest, TemporariesOfKilledRunsGoAndThoseOfRunsUnderWayStay) {
  request_.dxf_paths = {Source("a.dxf", kHatches)};
  // Left an hour ago by runs that were killed, and by the old probe, whose name is not theirs.
  const auto an_hour_ago = fs::file_time_type::clock::now() - std::chrono::hours(1);
  for (const char* name : {".quorvex-AAAAAAAAAA.tmp", ".quorvex-0123456789.tmp", "quorvex$_$.tmp",
                           ".quorvex-short.tmp", "site.tmp"}) {
    WriteFile(out_ + "/" + name, "torn");
    fs::last_write_time(out_ + "/" + name, an_hour_ago);
  }
  // An old link of the pattern is no temporary file of ours.
  fs::create_symlink(out_ + "/site.tmp", out_ + "/.quorvex-LINKLINK00.tmp");
  // A replacement under way in another run, started long ago: its temporary file is locked.
  Replacement under_way;
  ASSERT_TRUE(under_way.Start(out_ + "/b.txt"));
  under_way.Write("half");
  std::string under_way_name;
  for (const auto& entry : fs::directory_iterator(out_)) {
    const std::string name = entry.path().filename().string();
    if (name.size() == 23 && name.rfind(".quorvex-", 0) == 0 && !fs::is_symlink(entry.path()) &&
        ReadFile(entry.path()) == "half")
      under_way_name = name;
  }
  ASSERT_FALSE(under_way_name.empty());
  fs::last_write_time(out_ + "/" + under_way_name, an_hour_ago);

  const BatchResult result = Run();

  EXPECT_EQ(result.end, BatchEnd::kFinished);
  std::set<std::string> names;
  for (const auto& [name, bytes] : Outputs())
    names.insert(name);
  EXPECT_EQ(names, (std::set<std::string>{"a.txt", "quorvex$_$.tmp", ".quorvex-short.tmp",
                                          "site.tmp", ".quorvex-LINKLINK00.tmp", under_way_name}));
  EXPECT_TRUE(under_way.Finish());
  EXPECT_EQ(ReadFile(out_ + "/b.txt"), "half");
}

TEST_F(RunBatchTest, DataFileIsReplacedWholeWhenItsConversionEnds) {
  std::string entities;
  for (int i = 0; i < 20; ++i)
    entities += "  0\nPOINT\n 10\n1\n 20\n2\n";
  request_.dxf_paths = {Source("a.dxf", testing::DxfWithEntities(entities)),
                        Source("b.dxf", testing::DxfWithEntities(entities))};
  // A data file that is a link is replaced by the new file, not written through.
  const std::string elsewhere = root_.File("elsewhere.txt");
  WriteFile(elsewhere, "not the run's\r\n");
  fs::create_symlink(elsewhere, out_ + "/b.txt");
  WriteFile(out_ + "/a.txt", "old\r\n");
  std::vector<std::string> seen_during_walk;
  observer_.at_pair = [&](long pair) {
    if (pair == 10) seen_during_walk.push_back(ReadFile(out_ + "/a.txt"));
  };

  Run();

  EXPECT_EQ(seen_during_walk, std::vector<std::string>{"old\r\n"});
  const std::string data = ReadFile(out_ + "/a.txt");
  EXPECT_EQ(testing::DataLines(data).size(), 21u);
  EXPECT_FALSE(fs::is_symlink(out_ + "/b.txt"));
  EXPECT_EQ(ReadFile(out_ + "/b.txt"), data);
  EXPECT_EQ(ReadFile(elsewhere), "not the run's\r\n");
  EXPECT_EQ(Outputs().size(), 2u);  // no temporary file is left
}

TEST_F(RunBatchTest, TwoRunsIntoOneDataFileLeaveOneWholeFile) {
  // Data files of several MB, written in many blocks, from drawings that differ in every line.
  std::string ones, twos;
  for (int i = 0; i < 120000; ++i) {
    ones += "  0\nPOINT\n 10\n1\n 20\n1\n";
    twos += "  0\nPOINT\n 10\n2\n 20\n2\n";
  }
  const fs::path first = root_.path() / "first", second = root_.path() / "second";
  fs::create_directory(first);
  fs::create_directory(second);
  testing::WriteFile((first / "site.dxf").string(), testing::DxfWithEntities(ones));
  testing::WriteFile((second / "site.dxf").string(), testing::DxfWithEntities(twos));
  auto run = [&](const fs::path& folder) {
    BatchRequest request = request_;
    request.dxf_paths = {(folder / "site.dxf").string()};
    request.log_path = (folder / "log.txt").string();
    std::atomic<bool> cancelled{false};
    testing::RecordingObserver observer(cancelled);
    BatchEnvironment env{observer, clock_, cancelled};
    RunBatch(setup_.config, setup_.tables, request, env);
  };
  std::thread other(run, second);
  run(first);
  other.join();

  const std::vector<std::string> lines = testing::DataLines(ReadFile(out_ + "/site.txt"));
  ASSERT_EQ(lines.size(), 120001u);
  const std::string& kept = lines[1];
  EXPECT_TRUE(kept == "1.000;1.000" || kept == "2.000;2.000") << kept;
  EXPECT_EQ(std::count(lines.begin() + 1, lines.end(), kept), 120000);
  EXPECT_EQ(Outputs().size(), 1u);
}

TEST_F(RunBatchTest, UnwritableLogIsReportedAndTheReportIsKept) {
  struct Case {
    std::string log_path;
    const char* reason;
  };
  const testing::ReleasedFifo pipe(root_.File("pipe.txt"));
  // A device or a pipe in the log's place is never replaced, nor written through a link.
  fs::create_symlink("/dev/full", root_.File("full.txt"));
  const Case cases[] = {{"/dev/full", "Not a regular file"},
                        {root_.File("full.txt"), "Not a regular file"},
                        {pipe.path(), "Not a regular file"},
                        {root_.File("missing/QuorvexLog.txt"), "No such file or directory"}};
  request_.dxf_paths = {Source("a.dxf", kHatches)};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.log_path);
    request_.log_path = c.log_path;

    const BatchResult result = Run();

    EXPECT_EQ(result.log_failure,
              (Failure{Failure::Kind::kLogNotWritten, c.log_path, {}, 0, c.reason}));
    EXPECT_EQ(result.report.size(), 5u + 5u + 5u);
    EXPECT_EQ(result.report.back(), kRule);
  }
}

TEST_F(RunBatchTest, DataFileThatWouldReplaceADrawingIsRefused) {
  const std::string drawing = Source("site.dxf", kHatches);
  setup_.config.DataFileExtension.Assign("dxf");
  request_.destination = source_;
  request_.dxf_paths = {drawing};

  const BatchResult result = Run();

  EXPECT_EQ(
      std::vector<std::string>(result.report.begin() + 8, result.report.end()),
      (std::vector<std::string>{"  Data File : " + drawing, "",
                                "  *** Error, the data file would replace a DXF file ***", kRule}));
  EXPECT_EQ(ReadFile(drawing), kHatches);
}

TEST_F(RunBatchTest, ParallelRunWritesTheSameReportAndFilesAsASequentialOne) {
  std::string entities;
  for (int i = 0; i < 3000; ++i)
    entities += "  0\nHATCH\n 10\n1.0\n";
  const std::string large = testing::DxfWithEntities(entities);
  const std::string other = root_.File("other");
  fs::create_directory(other);
  WriteFile(other + "/site.dxf", kHatches);
  const std::vector<std::string> distinct = {
      Source("plan.rev1.dxf", large), Source("plan.rev2.dxf", kHatches),
      Source("broken.dxf", kNotDxf),  source_ + "/absent.dxf",
      Source("site.dxf", large),      Source("y.dxf", kHatches),
      Source("z.dxf", large)};
  std::vector<std::string> clashing = distinct;
  clashing.insert(clashing.begin() + 5, other + "/site.dxf");  // replaces the data file before it

  for (const auto& paths : {distinct, clashing}) {
    SCOPED_TRACE(paths.size());
    fs::remove_all(out_);
    fs::create_directory(out_);
    request_.dxf_paths = paths;
    request_.jobs = 1;
    const BatchResult sequential = Run();
    const std::string sequential_log = ReadFile(log_);
    const auto sequential_files = Outputs();
    ASSERT_EQ(sequential_files.size(), 6u);
    for (unsigned jobs : {2u, 3u, 8u}) {
      SCOPED_TRACE(jobs);
      fs::remove_all(out_);
      fs::create_directory(out_);
      request_.jobs = jobs;
      observer_.pairs = 0;
      const BatchResult parallel = Run();
      EXPECT_EQ(parallel.report, sequential.report);
      EXPECT_EQ(parallel.Outcomes(), sequential.Outcomes());
      EXPECT_EQ(ReadFile(log_), sequential_log);
      EXPECT_EQ(Outputs(), sequential_files);
      // Workers drive no display; files sharing a data file are converted in order instead.
      EXPECT_EQ(observer_.pairs == 0, paths.size() == distinct.size());
    }
  }
}

TEST(DataFileName, ReplacesOnlyTheLastExtension) {
  struct Case {
    const char* dxf;
    const char* extension;
    const char* expected;
  };
  const Case cases[] = {{"survey.dxf", "txt", "survey.txt"},
                        {"plan.rev2.dxf", "csv", "plan.rev2.csv"},
                        {"survey.dxf", ".txt", "survey..txt"},
                        {"ROAD.DXF", "txt", "ROAD.txt"},
                        {"survey.dxf", " txt ", "survey. txt "}};
  for (const Case& c : cases)
    EXPECT_EQ(DataFileName(c.dxf, c.extension), c.expected) << c.dxf << " " << c.extension;
  EXPECT_EQ(DataFilePath("/out", "/in/a.b.dxf", "txt"), "/out/a.b.txt");
  EXPECT_EQ(DataFilePath("/out/", "a.dxf", "txt"), "/out/a.txt");
}

}  // namespace
}  // namespace quorvex
