#include "batch/memory_conversion.h"

#include <gtest/gtest.h>

#include <memory>

#include "batch/run_batch.h"
#include "batch_fakes.h"
#include "engine/dxf_lines.h"
#include "support/conversion_harness.h"
#include "support/dxf_entity.h"
#include "support/temp_dir.h"

namespace quorvex {
namespace {

using testing::Entity;

class BytesSink final : public DataSink {
 public:
  void Write(std::string_view bytes) override { data.append(bytes); }
  void PointWritten(double, double, std::string_view) override {}
  void EntityCounted(int) override {}
  std::string data;
};

// Two points, and an insert of a block that holds a third.
const std::string kDrawing =
    "  0\nSECTION\n  2\nBLOCKS\n" + Entity("BLOCK", {{2, "B"}, {10, "0"}, {20, "0"}, {30, "0"}}) +
    Entity("POINT", {{8, "0"}, {10, "1"}, {20, "1"}, {30, "0"}}) + Entity("ENDBLK", {}) +
    "  0\nENDSEC\n" +
    testing::DxfWithEntities(
        Entity("POINT", {{8, "A,B"}, {10, "1.5"}, {20, "2"}, {30, "3"}}) +
        Entity("POINT", {{8, "C"}, {10, "-4"}, {20, "0.125"}, {30, "0"}}) +
        Entity("INSERT", {{8, "D"}, {2, "B"}, {10, "5"}, {20, "5"}, {30, "0"}}));

// The run's own treatment of the configuration: the separator of LF line ends, quoted header
// captions, the byte-order mark, block contents, and refused values.
TEST(ConvertIntoMemory, WritesWhatARunWritesIntoTheDataFile) {
  const struct {
    const char* name;
    const char* separator;
    DataFormat format;
    bool expand_blocks;
  } cases[] = {
      {"plain", ";", {}, false},
      {"quoted, with a BOM", ",", {.quote = true, .bom = true}, false},
      {"LineFeed separator with LF line ends", "\r\n", {.lf_line_ends = true}, false},
      {"decimal comma", ";", {.decimal_comma = true}, false},
      {"blocks expanded", ";", {}, true},
  };

  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    testing::TestSetup setup;
    setup.Entities({entity_node::kPoints})
        .Fields({field_node::kLayer, field_node::kX, field_node::kY})
        .Separator(row.separator)
        .Header(true);
    setup.config.DataFileExtension.Assign("txt");
    testing::TempDir dir;
    const std::string dxf_path = dir.File("a.dxf");
    testing::WriteFile(dxf_path, kDrawing);
    BatchRequest request;
    request.destination = dir.File("");
    request.dxf_paths = {dxf_path};
    request.extended.format = row.format;
    request.extended.expansion.expand_blocks = row.expand_blocks;
    std::atomic<bool> cancelled{false};
    testing::RecordingObserver observer(cancelled);
    testing::FixedClock clock;
    BatchEnvironment env{observer, clock, cancelled};
    ASSERT_EQ(RunBatch(setup.config, setup.tables, request, env).end, BatchEnd::kFinished);

    const std::unique_ptr<DxfLines> lines = DxfLines::FromText(kDrawing);
    BytesSink sink;
    const MemoryConversion converted = ConvertIntoMemory(
        setup.config, setup.tables, request.extended, *lines, "a.dxf", sink, cancelled);
    EXPECT_FALSE(converted.refusal);
    EXPECT_EQ(converted.outcome.outcome, ConversionOutcome::kConverted);
    EXPECT_EQ(sink.data, testing::ReadFile(dir.File("a.txt")));
  }
}

TEST(ConvertIntoMemory, RefusesWhatARunRefuses) {
  testing::TestSetup setup;
  setup.Entities({entity_node::kPoints}).Fields({field_node::kX}).Separator(",");
  setup.config.DataFileExtension.Assign("txt");
  setup.Value(field_node::kXDecimals, "15");
  const std::unique_ptr<DxfLines> lines = DxfLines::FromText(kDrawing);
  BytesSink sink;
  std::atomic<bool> cancelled{false};
  const MemoryConversion converted =
      ConvertIntoMemory(setup.config, setup.tables, {}, *lines, "a.dxf", sink, cancelled);
  ASSERT_TRUE(converted.refusal);
  EXPECT_EQ(converted.refusal->kind, Failure::Kind::kConfigValueRefused);
  EXPECT_EQ(sink.data, "");
}

}  // namespace
}  // namespace quorvex
