#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>

#include "engine/convert_dxf_file.h"
#include "engine/report_words.h"
#include "support/conversion_harness.h"
#include "support/failing_writer.h"
#include "support/temp_dir.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;
using testing::ConversionResult;
using testing::DxfWithEntities;
using testing::TestSetup;

const std::string kRule(100, '-');

TEST(ConvertWalk, EmptyEntitiesSectionGivesHeaderAndZeroCounts) {
  TestSetup setup;
  setup.Entities({entity_node::kPoints, entity_node::kBlocks})
      .Fields({field_node::kX, field_node::kY})
      .Separator(";")
      .Header(true)
      .BlockFilter("TREE*");
  const ConversionResult result = setup.Convert(DxfWithEntities(""));
  EXPECT_EQ(result.data, "X (East) coordinate;Y (North) coordinate\r\n");
  ASSERT_EQ(result.report.size(), 7u);
  EXPECT_EQ(result.report[0].rfind("  Data File : /", 0), 0u);
  EXPECT_EQ(result.report[1], "");
  EXPECT_EQ(result.report[2], "  Processed entities count : 0");
  EXPECT_EQ(result.report[3], "");
  EXPECT_EQ(result.report[4], "    Points : 0 ");
  EXPECT_EQ(result.report[5], "    Blocks : 0 (TREE*)");
  EXPECT_EQ(result.report[6], kRule);
}

TEST(ConvertWalk, FileWithoutEntitiesLineIsNotValid) {
  TestSetup setup;
  setup.Fields({field_node::kX}).Header(true);
  const ConversionResult result = setup.Convert("  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n");
  EXPECT_EQ(result.data, "X (East) coordinate\r\n");
  EXPECT_EQ(result.failure, Failure{Failure::Kind::kNotDxf});
  ASSERT_EQ(result.report.size(), 4u);
  EXPECT_EQ(result.report[3], kRule);
}

TEST(ConvertWalk, MissingFileIsReportedAndNoDataFileIsCreated) {
  testing::TempDir dir;
  TestSetup setup;
  const ConversionResult result = setup.ConvertFile(dir.File("absent.dxf"));
  EXPECT_FALSE(result.data_file_exists);
  EXPECT_EQ(result.failure,
            (Failure{Failure::Kind::kDxfUnreadable, {}, {}, 0, "No such file or directory"}));
  EXPECT_EQ(result.report.size(), 2u);  // no data file line
}

}  // namespace
}  // namespace quorvex

namespace quorvex {
namespace {

namespace fs = std::filesystem;
using testing::ConversionResult;
using testing::DxfWithEntities;
using testing::TestSetup;

// Calls `action` at the n-th message pump of the walk.
class PumpHook final : public ProgressDisplay {
 public:
  PumpHook(int n, std::function<void()> action) : n_(n), action_(std::move(action)) {}
  void ShowAndRepaint() override { ++shown; }
  void SetLabel(std::string_view text) override { label = text; }
  void SetMaximum(std::int64_t line_count) override { maximum = line_count; }
  void SetPosition(std::int64_t) override {}
  void ProcessPendingMessages() override {
    if (++pumps == n_) action_();
  }
  int shown = 0, pumps = 0;
  std::string label;
  std::int64_t maximum = 0;

 private:
  int n_;
  std::function<void()> action_;
};

TEST(ConvertWalk, FirstEntitiesLineAnywhereStartsTheWalkWhichRunsToTheEnd) {
  TestSetup setup;
  setup.Entities({entity_node::kPoints}).Fields({field_node::kX});
  std::atomic<bool> cancelled{false};
  PumpHook progress(1000, [] {});
  setup.progress = &progress;
  const ConversionResult result =
      setup.Convert("  0\nSECTION\n  2\nHEADER\n  9\n  ENTITIES \t\n  0\nENDSEC\n  0\nEOF\n");
  EXPECT_EQ(result.report[2], "  Processed entities count : 0");
  EXPECT_EQ(progress.pumps, 2);  // the two pairs after the padded ENTITIES line
  EXPECT_EQ(progress.label, "Processing test.dxf");
  EXPECT_EQ(progress.maximum, 10);
  EXPECT_EQ(progress.shown, 1);
}

TEST(ConvertWalk, LastLineWithoutValueEndsTheWalkNormally) {
  TestSetup setup;
  const ConversionResult result = setup.Convert("0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0");
  ASSERT_EQ(result.report.size(), 5u);
  EXPECT_EQ(result.report[2], "  Processed entities count : 0");
}

TEST(ConvertWalk, CancelStopsBetweenPairsWithoutCountLines) {
  TestSetup setup;
  setup.Entities({entity_node::kPoints}).Fields({field_node::kX}).Header(true);
  std::atomic<bool> cancelled{false};
  PumpHook progress(2, [&] { cancelled = true; });
  setup.progress = &progress;
  setup.cancelled = &cancelled;
  const ConversionResult result = setup.Convert(DxfWithEntities("  0\nLINE\n  8\nA\n"));
  EXPECT_EQ(result.report.size(), 2u);  // "Data File" and the empty line only
  EXPECT_EQ(progress.pumps, 2);
  EXPECT_EQ(result.data, "X (East) coordinate\r\n");
}

TEST(ConvertWalk, CancelledFileWarnsOfTheCharactersItCouldNotDecode) {
  TestSetup setup;
  setup.Entities({entity_node::kPoints}).Fields({field_node::kLayer});
  std::atomic<bool> cancelled{false};
  PumpHook progress(2, [&] { cancelled = true; });
  setup.progress = &progress;
  setup.cancelled = &cancelled;
  const ConversionResult result =
      setup.Convert("  0\nSECTION\n  2\nHEADER\n  9\n$DWGCODEPAGE\n  3\nANSI_1252\n  0\nENDSEC\n" +
                    DxfWithEntities("  0\nPOINT\n  8\n\x81\n  0\nLINE\n  0\nPOINT\n"));
  EXPECT_EQ(result.data, "\xEF\xBF\xBD\r\n");
  EXPECT_EQ(result.report,
            (std::vector<std::string>{result.report[0], "", UndecodedText({1, "ANSI_1252"})}));
}

TEST(ConvertWalk, BadStartValueFailsBeforeTheDataFileIsCreated) {
  TestSetup setup;
  setup.Fields({field_node::kX}).Value(field_node::kGroupStart, "1st");
  const ConversionResult result = setup.Convert(DxfWithEntities(""));
  EXPECT_FALSE(result.data_file_exists);
  EXPECT_EQ(result.failure, testing::NotANumberError("1st", 1));
  EXPECT_EQ(result.report.size(), 4u);
}

TEST(ConvertWalk, DataFileThatCannotBeWrittenIsReported) {
  testing::TempDir dir;
  const std::string folder = dir.File("folder");
  fs::create_directory(folder);
  struct Case {
    const char* name;
    std::string data_path;
    const char* reason;
    rlim_t file_size_limit = RLIM_INFINITY;
  };
  const Case cases[] = {
      {"a device is not replaced", "/dev/full", "Not a regular file"},
      {"a folder is not replaced", folder, "Is a directory"},
      {"missing folder", "/nonexistent-folder/out.txt", "No such file or directory"},
      {"write fails", dir.File("out.txt"), "File too large", 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSetup setup;
    setup.Fields({field_node::kX}).Header(true);
    setup.data_path = c.data_path;
    // A file size limit makes the write fail the way a full disk does.
    rlimit saved = {};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limited = {c.file_size_limit, saved.rlim_max};
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    const ConversionResult result = setup.Convert(DxfWithEntities(""));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(result.failure, (Failure{Failure::Kind::kDataFileNotWritten, {}, {}, 0, c.reason}));
    ASSERT_EQ(result.report.size(), 4u);
    EXPECT_EQ(result.report[3], kRule);
  }
  struct stat info = {};
  ASSERT_EQ(stat("/dev/full", &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST(ConvertWalk, DataFileWhoseWritingFailedNeverReplacesTheEarlierOne) {
  std::string points;
  for (int i = 0; i < 40; ++i)
    points += "  0\nPOINT\n 10\n1.5\n 20\n2.5\n";
  struct Case {
    const char* name;
    std::string entities;
    std::size_t limit;  // bytes written before the disk is full
    bool fail_close;
    const char* reason;
  };
  const Case cases[] = {
      {"full before the header", points, 0, false, "No space left on device"},
      {"full inside a line", points, 50, false, "No space left on device"},
      {"lost on close", points, 1 << 20, true, "Input/output error"},
      // The lines before a conversion error are whole, but not when they could not be written.
      {"full before a conversion error", points + "  0\nPOINT\n 10\n1,5\n", 50, false,
       "No space left on device"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempDir dir;
    TestSetup setup;
    setup.Entities({entity_node::kPoints}).Fields({field_node::kX, field_node::kY}).Header(true);
    setup.data_path = dir.File("site.txt");
    testing::WriteFile(setup.data_path, "complete earlier data file\r\n");
    testing::FailingWriter writer(c.limit);
    writer.fail_close = c.fail_close;
    setup.writer = &writer;

    const ConversionResult result = setup.Convert(DxfWithEntities(c.entities));

    EXPECT_EQ(result.failure, (Failure{Failure::Kind::kDataFileNotWritten, {}, {}, 0, c.reason}));
    EXPECT_EQ(result.report[2],
              "  *** Error, the data file could not be written: " + std::string(c.reason) + " ***");
    EXPECT_EQ(testing::ReadFile(setup.data_path), "complete earlier data file\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
  }
}

TEST(ConvertWalk, AFileWithoutEntitiesIsToldByWhatItIs) {
  using Kind = Failure::Kind;
  struct Case {
    const char* name;
    std::string text;
    Kind kind;
  };
  const Case cases[] = {
      {"empty", "", Kind::kEmptyFile},
      {"a byte-order mark alone", "\xEF\xBB\xBF", Kind::kEmptyFile},
      {"DWG", std::string("AC1027\0\0\0\0\0\x06", 12), Kind::kDwgDrawing},
      {"DWG of release 2.5", "AC1.50 and binary data", Kind::kDwgDrawing},
      {"binary DXF", std::string("AutoCAD Binary DXF\r\n\x1A\0", 22), Kind::kBinaryDxf},
      {"no ENTITIES section", "  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n", Kind::kNotDxf},
      {"blank lines", "\n\n", Kind::kNotDxf},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TestSetup().Convert(c.text).failure, Failure{c.kind});
  }
}

TEST(ConvertWalk, InputThatIsNotARegularFileIsRefusedWithoutReadingIt) {
  testing::TempDir dir;
  const testing::ReleasedFifo fifo(dir.File("pipe.dxf"));
  struct Case {
    std::string path;
    const char* reason;
  };
  const Case cases[] = {{fifo.path(), "Not a regular file"},
                        {"/dev/null", "Not a regular file"},
                        {dir.path().string(), "Is a directory"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const ConversionResult result = TestSetup().ConvertFile(c.path);
    EXPECT_EQ(result.failure, (Failure{Failure::Kind::kDxfUnreadable, {}, {}, 0, c.reason}));
    EXPECT_FALSE(result.data_file_exists);
  }
}

TEST(ConvertWalk, FileChangedDuringTheConversionIsReportedNotCrashed) {
  struct Case {
    const char* name;
    std::function<void(const std::string& path)> change;
  };
  const Case cases[] = {
      {"shortened", [](const std::string& path) { ASSERT_EQ(truncate(path.c_str(), 100), 0); }},
      {"rewritten in place",
       [](const std::string& path) {
         // Same size, other text, written a second later than the original.
         const int fd = open(path.c_str(), O_WRONLY);
         ASSERT_GE(fd, 0);
         ASSERT_EQ(pwrite(fd, "  0\nPOINT\n", 11, 40), 11);
         struct timespec times[2] = {{0, UTIME_OMIT}, {0, 0}};
         struct stat info = {};
         fstat(fd, &info);
         times[1] = info.st_mtim;
         times[1].tv_sec += 1;
         futimens(fd, times);
         close(fd);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempDir dir;
    const std::string path = dir.File("changing.dxf");
    std::string body;
    for (int i = 0; i < 50000; ++i)
      body += "  0\nLINE\n  8\nContours\n";
    testing::WriteFile(path, DxfWithEntities(body));
    TestSetup setup;
    setup.Entities({entity_node::kPoints}).Fields({field_node::kX});
    PumpHook progress(3, [&] { c.change(path); });
    setup.progress = &progress;
    const ConversionResult result = setup.ConvertFile(path);
    EXPECT_EQ(result.failure, Failure{Failure::Kind::kFileChanged});
    EXPECT_EQ(result.report.size(), 4u);
  }
}

}  // namespace
}  // namespace quorvex

namespace quorvex {
namespace {

using testing::DataLines;
using testing::DxfWithEntities;
using testing::TestSetup;

TEST(ConvertWalk, EntityNamesMatchExactlyWhileGroupCodesAreTrimmed) {
  TestSetup setup;
  setup.Entities({entity_node::kPoints}).Fields({field_node::kX});
  const std::string entities =
      "0\npoint\n10\n1\n20\n2\n"     // lower case: passed over
      "0\n POINT\n10\n3\n20\n4\n"    // blanks around the name: passed over
      " 0 \nPOINT\n10\n5\n20\n6\n";  // blanks around the group code: read
  const auto result = setup.Convert(DxfWithEntities(entities));
  EXPECT_EQ(DataLines(result.data), (std::vector<std::string>{"5.000"}));
  EXPECT_EQ(result.report[4], "    Points : 1 ");
}

TEST(ConvertWalk, SequenceRestartsPerEntityWhileGroupAndLineNumbersRunOn) {
  TestSetup setup;
  setup.Entities({entity_node::kLines, entity_node::kLineStart, entity_node::kLineEnd})
      .Fields({field_node::kLineNumber, field_node::kSequentialNumber, field_node::kGroupNumber})
      .Value(field_node::kSequentialStart, "10")
      .Value(field_node::kGroupStart, "-1");
  const std::string line = "0\nLINE\n10\n0\n20\n0\n11\n1\n21\n1\n";
  const auto result = setup.Convert(DxfWithEntities(line + line));
  EXPECT_EQ(DataLines(result.data),
            (std::vector<std::string>{"1,10,-1", "2,11,-1", "3,10,0", "4,11,0"}));
}

TEST(ConvertWalk, ByteOrderMarksAndLineEndsGiveTheSameDataFile) {
  TestSetup setup;
  setup.Entities({entity_node::kPoints}).Fields({field_node::kX, field_node::kLayer});
  const std::string plain = DxfWithEntities("0\nPOINT\n8\nK\xC3\xB6ln\n10\n7.5\n20\n1\n");
  std::string utf16;
  utf16 += "\xFF\xFE";
  // The same text as UTF-16 LE: "Köln" is U+004B U+00F6 U+006C U+006E.
  for (std::size_t i = 0; i < plain.size(); ++i) {
    if (plain.compare(i, 2, "\xC3\xB6") == 0) {
      utf16 += std::string("\xF6\0", 2);
      ++i;
    } else {
      utf16 += plain[i];
      utf16 += '\0';
    }
  }
  std::string cr_only = plain;
  std::replace(cr_only.begin(), cr_only.end(), '\n', '\r');
  const std::string expected = "7.500,K\xC3\xB6ln\r\n";
  EXPECT_EQ(setup.Convert(plain).data, expected);
  EXPECT_EQ(setup.Convert("\xEF\xBB\xBF" + plain).data, expected);
  EXPECT_EQ(setup.Convert(utf16).data, expected);
  EXPECT_EQ(setup.Convert(cr_only).data, expected);
}

}  // namespace
}  // namespace quorvex
