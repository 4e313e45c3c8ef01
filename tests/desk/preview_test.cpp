#include "desk/preview.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "desk/preview_worker.h"
#include "desk/window_words.h"
#include "support/conversion_harness.h"
#include "support/dxf_entity.h"
#include "support/temp_dir.h"

namespace quorvex {
namespace {

using testing::Entity;

TEST(KeepFirstLines, KeepsWholeLinesUpToTheLimitWhateverThePieces) {
  const struct {
    const char* name;
    std::vector<std::string_view> pieces;
    std::string kept;
    bool more;
  } cases[] = {
      {"fewer lines", {"a\r\nb\r\n"}, "a\r\nb\r\n", true},
      {"cut after the third", {"a\r\nb\r\nc\r\nd\r\n"}, "a\r\nb\r\nc\r\n", false},
      {"lines split across pieces", {"a\r", "\nb", "b\nc\n", "d\n"}, "a\r\nbb\nc\n", false},
      {"nothing after the limit", {"a\nb\nc\n", "d\n"}, "a\nb\nc\n", false},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    std::string kept;
    bool more = true;
    for (const std::string_view piece : row.pieces)
      if (more) more = KeepFirstLines(kept, piece, 3);
    EXPECT_EQ(kept, row.kept);
    EXPECT_EQ(more, row.more);
  }
}

class PreviewTest : public ::testing::Test {
 protected:
  PreviewTest() {
    setup_.Entities({entity_node::kPoints, entity_node::kCircles})
        .Fields({field_node::kLineNumber, field_node::kX})
        .Header(true);
    request_.dxf_path = dir_.File("plan.dxf");
    request_.config = setup_.config;
    request_.config.SeparatorIndex = 1;  // ";"
    request_.config.DataFileExtension.Assign("txt");
    request_.tables = setup_.tables;
    request_.extension_text = "txt";
  }

  void Write(const std::string& entities) {
    testing::WriteFile(request_.dxf_path, testing::DxfWithEntities(entities));
  }

  testing::TempDir dir_;
  testing::TestSetup setup_;
  PreviewRequest request_;
  PreviewComputer computer_;
  std::atomic<bool> not_cancelled_{false};
};

std::string Points(int count) {
  std::string entities;
  for (int i = 0; i < count; ++i)
    entities += Entity("POINT", {{10, std::to_string(i)}, {20, "1"}});
  return entities;
}

TEST_F(PreviewTest, ConvertsTheFirstEntitiesOfABigDrawingWithTheirPointsAndLines) {
  Write(Points(5) + Entity("CIRCLE", {{10, "9"}, {20, "-9"}}));
  request_.entity_limit = 3;
  PreviewResult result = computer_.Compute(request_, not_cancelled_);
  EXPECT_EQ(result.message, "");
  EXPECT_EQ(result.lines, "Line Number;X (East) coordinate\r\n1;0.000\r\n2;1.000\r\n3;2.000\r\n");
  EXPECT_EQ(result.entities_converted, 3);
  EXPECT_EQ(result.entity_total, 6);
  ASSERT_EQ(result.points.size(), 3u);
  EXPECT_EQ(result.LineOf(result.points[2]), "3;2.000");
  EXPECT_EQ(result.points_per_kind[entity_kind::kPoints], 3);

  // The same file again, whole: it stays loaded, its count is taken anew for the new limit.
  request_.entity_limit = kPreviewEntityLimit;
  result = computer_.Compute(request_, not_cancelled_);
  EXPECT_FALSE(result.Partial());
  ASSERT_EQ(result.points.size(), 6u);
  EXPECT_EQ(result.points[5].kind, entity_kind::kCircles);
  EXPECT_EQ(result.points[5].x, 9);
  EXPECT_EQ(result.points[5].y, -9);
  EXPECT_EQ(result.points_per_kind[entity_kind::kCircles], 1);

  // A changed file is read again.
  Write(Points(1));
  result = computer_.Compute(request_, not_cancelled_);
  EXPECT_EQ(result.entity_total, 1);
  EXPECT_EQ(result.points.size(), 1u);
}

TEST_F(PreviewTest, SaysWhyThereIsNothingOrWhyTheConversionStopped) {
  Write(Points(2) + Entity("POINT", {{10, "1,5"}, {20, "1"}}) + Points(1));
  PreviewResult result = computer_.Compute(request_, not_cancelled_);
  EXPECT_EQ(result.message, "*** Error, the value \"1,5\" is not a number (line 20) ***");
  EXPECT_EQ(result.points.size(), 2u);
  EXPECT_EQ(result.lines, "Line Number;X (East) coordinate\r\n1;0.000\r\n2;1.000\r\n");

  PreviewRequest no_kinds = request_;
  no_kinds.tables.EntityEnabled = {};
  EXPECT_EQ(computer_.Compute(no_kinds, not_cancelled_).message,
            "Please, select DXF entities to be processed.");

  PreviewRequest refused = request_;
  refused.config.FieldValues[field_node::kXDecimals].Assign("15");
  result = computer_.Compute(refused, not_cancelled_);
  EXPECT_NE(result.message, "");
  EXPECT_EQ(result.lines, "");

  PreviewRequest missing = request_;
  missing.dxf_path = dir_.File("absent.dxf");
  EXPECT_EQ(computer_.Compute(missing, not_cancelled_).message,
            "*** Error, file is used by another application ***");

  EXPECT_EQ(computer_.Compute(PreviewRequest{}, not_cancelled_).message, kPreviewNoDrawing);

  const std::atomic<bool> cancelled{true};
  EXPECT_TRUE(computer_.Compute(request_, cancelled).cancelled);
}

TEST_F(PreviewTest, WorkerDeliversTheNewestRequest) {
  Write(Points(3));
  std::mutex mutex;
  std::condition_variable delivered;
  std::uint64_t last = 0;
  std::size_t last_points = 0;
  std::uint64_t newest = 0;
  {
    PreviewWorker worker([&](std::uint64_t number, PreviewResult result) {
      const std::lock_guard<std::mutex> lock(mutex);
      EXPECT_GT(number, last);
      last = number;
      last_points = result.points.size();
      delivered.notify_one();
    });
    worker.Submit(request_);
    PreviewRequest fewer = request_;
    fewer.entity_limit = 1;
    newest = worker.Submit(fewer);
    std::unique_lock<std::mutex> lock(mutex);
    delivered.wait(lock, [&] { return last == newest; });
  }
  EXPECT_EQ(newest, 2u);
  EXPECT_EQ(last_points, 1u);
}

}  // namespace
}  // namespace quorvex
