#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/dxf_lines.h"
#include "engine/entity_scan.h"
#include "support/conversion_harness.h"
#include "support/dxf_entity.h"

namespace quorvex {
namespace {

using testing::DxfWithEntities;
using testing::Entity;
using testing::TestSetup;

struct SeenPoint {
  double x, y;
  std::string line;
  int kind = -1;
};

class RecordingSink final : public DataSink {
 public:
  void Write(std::string_view bytes) override { data.append(bytes); }
  void PointWritten(double x, double y, std::string_view line) override {
    points.push_back({x, y, std::string(line)});
  }
  void EntityCounted(int kind) override {
    for (std::size_t i = counted_; i < points.size(); ++i)
      points[i].kind = kind;
    counted_ = points.size();
  }

  std::string data;
  std::vector<SeenPoint> points;

 private:
  std::size_t counted_ = 0;
};

// A point, a line, a 3D polyline of two vertices and a circle: 4 entities, 6 exported points.
const std::string kDrawing = DxfWithEntities(
    Entity("POINT", {{8, "A"}, {10, "1.5"}, {20, "2"}, {30, "3"}}) +
    Entity("LINE", {{10, "0"}, {20, "0"}, {30, "0"}, {11, "10"}, {21, "-4.25"}, {31, "0"}}) +
    Entity("POLYLINE", {{66, "1"}, {70, "8"}}) +
    Entity("VERTEX", {{10, "7"}, {20, "8"}, {30, "9"}, {70, "32"}}) +
    Entity("VERTEX", {{10, "-7"}, {20, "-8"}, {30, "9"}, {70, "32"}}) + Entity("SEQEND", {}) +
    Entity("CIRCLE", {{10, "5"}, {20, "6"}, {30, "0"}, {40, "1"}}));

TestSetup DrawingSetup() {
  TestSetup setup;
  setup
      .Entities({entity_node::kPoints, entity_node::kLines, entity_node::kLineStart,
                 entity_node::kLineEnd, entity_node::kPolylines3D, entity_node::kCircles})
      .Fields({field_node::kLineNumber, field_node::kEntityType, field_node::kY})
      .Header(true);
  return setup;
}

TEST(MemoryConversion, GivesTheDataFileBytesAndEachPointWithItsKindAndLine) {
  const testing::ConversionResult on_disk = DrawingSetup().Convert(kDrawing);
  ASSERT_FALSE(on_disk.failure);

  TestSetup setup = DrawingSetup();
  RecordingSink sink;
  setup.sink = &sink;
  const testing::ConversionResult in_memory = setup.Convert(kDrawing);
  EXPECT_FALSE(in_memory.data_file_exists);
  EXPECT_EQ(sink.data, on_disk.data);
  // But for the data file's path, which differs.
  EXPECT_EQ(std::vector(in_memory.report.begin() + 1, in_memory.report.end()),
            std::vector(on_disk.report.begin() + 1, on_disk.report.end()));

  const std::vector<std::string> lines = testing::DataLines(on_disk.data);
  ASSERT_EQ(sink.points.size(), 6u);
  ASSERT_EQ(lines.size(), 7u);  // the header first
  const struct {
    double x, y;
    int kind;
  } expected[] = {{1.5, 2, entity_kind::kPoints},      {0, 0, entity_kind::kLines},
                  {10, -4.25, entity_kind::kLines},    {7, 8, entity_kind::kPolylines3D},
                  {-7, -8, entity_kind::kPolylines3D}, {5, 6, entity_kind::kCircles}};
  for (std::size_t i = 0; i < sink.points.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(sink.points[i].x, expected[i].x);
    EXPECT_EQ(sink.points[i].y, expected[i].y);
    EXPECT_EQ(sink.points[i].kind, expected[i].kind);
    EXPECT_EQ(sink.points[i].line, lines[i + 1] + "\r\n");
  }
}

TEST(MemoryConversion, CoordinateTextThatIsNoNumberAndNotWrittenIsNaN) {
  TestSetup setup;
  setup.Entities({entity_node::kPoints}).Fields({field_node::kLayer});
  RecordingSink sink;
  setup.sink = &sink;
  const testing::ConversionResult result =
      setup.Convert(DxfWithEntities(Entity("POINT", {{8, "L"}, {10, "x1"}, {20, "4"}})));
  ASSERT_FALSE(result.failure);
  ASSERT_EQ(sink.points.size(), 1u);
  EXPECT_TRUE(std::isnan(sink.points[0].x));
  EXPECT_EQ(sink.points[0].y, 4);
  EXPECT_EQ(sink.data, "L\r\n");
}

TEST(EntityScan, CountsTheSectionsEntitiesAndStopsAWalkAfterTheFirstOnes) {
  const std::unique_ptr<DxfLines> lines = DxfLines::FromText(kDrawing);
  const EntityScan all = ScanEntities(*lines, 4);
  EXPECT_EQ(all.total, 4);
  EXPECT_EQ(all.stop_line, EntityScan{}.stop_line);

  // The polyline's vertices and SEQEND are its own: the fourth entity is the circle.
  const EntityScan three = ScanEntities(*lines, 3);
  EXPECT_EQ(three.total, 4);
  const testing::ConversionResult whole = DrawingSetup().Convert(kDrawing);
  TestSetup setup = DrawingSetup();
  setup.stop_line = three.stop_line;
  const testing::ConversionResult first = setup.Convert(kDrawing);
  std::vector<std::string> expected = testing::DataLines(whole.data);
  expected.pop_back();  // the circle's centre
  EXPECT_EQ(testing::DataLines(first.data), expected);
  EXPECT_EQ(first.report[2], "  Processed entities count : 3");

  EXPECT_EQ(ScanEntities(*lines, 0).stop_line, 4);  // the first entity's "0" line
  const std::unique_ptr<DxfLines> no_section = DxfLines::FromText("  0\nSECTION\n  0\nEOF\n");
  EXPECT_EQ(ScanEntities(*no_section, 0).total, 0);
}

}  // namespace
}  // namespace quorvex
