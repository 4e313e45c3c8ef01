#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>

#include "engine/convert_dxf_file.h"
#include "support/conversion_harness.h"
#include "support/temp_dir.h"

namespace quorvex {
namespace {

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
  ASSERT_EQ(result.report.size(), 4u);
  EXPECT_EQ(result.report[2], "  *** Error, this is not a valid DXF file ***");
  EXPECT_EQ(result.report[3], kRule);
}

TEST(ConvertWalk, MissingFileIsReportedAndNoDataFileIsCreated) {
  testing::TempDir dir;
  TestSetup setup;
  const ConversionResult result = setup.ConvertFile(dir.File("absent.dxf"));
  EXPECT_FALSE(result.data_file_exists);
  EXPECT_EQ(result.report, (std::vector<std::string>{
                               "  *** Error, file is used by another application ***", kRule}));
}

}  // namespace
}  // namespace quorvex

namespace quorvex {
namespace {

using testing::ConversionResult;
using testing::DxfWithEntities;
using testing::TestSetup;

// Calls `action` at the n-th message pump of the walk.
class PumpHook final : public ProgressDisplay {
 public:
  PumpHook(int n, std::function<void()> action) : n_(n), action_(std::move(action)) {}
  void ShowAndRepaint() override { ++shown; }
  void SetLabel(std::string_view text) override { label = text; }
  void SetMaximum(std::int64_t maximum) override { this->maximum = maximum; }
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

TEST(ConvertWalk, BadStartValueFailsBeforeTheDataFileIsCreated) {
  TestSetup setup;
  setup.Fields({field_node::kX}).Value(field_node::kGroupStart, "1st");
  const ConversionResult result = setup.Convert(DxfWithEntities(""));
  EXPECT_FALSE(result.data_file_exists);
  ASSERT_EQ(result.report.size(), 4u);
  EXPECT_EQ(result.report[2], "  *** Error, the value \"1st\" is not a number (line 1) ***");
}

TEST(ConvertWalk, DataFileThatCannotBeWrittenIsReported) {
  TestSetup setup;
  setup.Fields({field_node::kX}).Header(true);
  setup.data_path = "/dev/full";
  const ConversionResult result = setup.Convert(DxfWithEntities(""));
  ASSERT_EQ(result.report.size(), 4u);
  EXPECT_EQ(result.report[2],
            "  *** Error, the data file could not be written: No space left on device ***");
  EXPECT_EQ(result.report[3], std::string(100, '-'));

  setup.data_path = "/nonexistent-folder/out.txt";
  EXPECT_EQ(setup.Convert(DxfWithEntities("")).report[2],
            "  *** Error, the data file could not be written: No such file or directory ***");
}

TEST(ConvertWalk, FileShortenedDuringTheConversionIsReportedNotCrashed) {
  testing::TempDir dir;
  const std::string path = dir.File("shrinking.dxf");
  std::string body;
  for (int i = 0; i < 50000; ++i)
    body += "  0\nLINE\n  8\nContours\n";
  testing::WriteFile(path, DxfWithEntities(body));
  TestSetup setup;
  setup.Entities({entity_node::kPoints}).Fields({field_node::kX});
  PumpHook progress(3, [&] { ASSERT_EQ(truncate(path.c_str(), 100), 0); });
  setup.progress = &progress;
  const ConversionResult result = setup.ConvertFile(path);
  ASSERT_EQ(result.report.size(), 4u);
  EXPECT_EQ(result.report[2], "  *** Error, file is used by another application ***");
}

}  // namespace
}  // namespace quorvex
