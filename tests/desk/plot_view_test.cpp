#include "desk/plot_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace quorvex {
namespace {

TEST(PlotView, FitShowsEveryPointAndZoomKeepsTheAnchorInPlace) {
  const std::vector<PreviewPoint> points = {
      {-10, 5}, {30, 25}, {std::nan(""), 1e9}, {0, 15}};  // the NaN point is left out
  const PlotView view = FitView(points, 220, 120, 10);
  EXPECT_EQ(view.center_x, 10);
  EXPECT_EQ(view.center_y, 15);
  EXPECT_EQ(view.units_per_pixel, 0.2);  // 40 units over 200 pixels; the height has room
  EXPECT_EQ(view.ToPixel(-10, 5).x, 10);
  EXPECT_EQ(view.ToPixel(-10, 5).y, 110);  // Y grows upwards

  const PlotPixel anchor{50, 30};
  const double x = view.DrawingX(anchor.x), y = view.DrawingY(anchor.y);
  const PlotView zoomed = ZoomedView(view, 4, anchor);
  EXPECT_DOUBLE_EQ(zoomed.units_per_pixel, 0.05);
  EXPECT_DOUBLE_EQ(zoomed.DrawingX(anchor.x), x);
  EXPECT_DOUBLE_EQ(zoomed.DrawingY(anchor.y), y);

  const PlotView panned = PannedView(view, 5, -5);
  EXPECT_DOUBLE_EQ(panned.ToPixel(-10, 5).x, 15);
  EXPECT_DOUBLE_EQ(panned.ToPixel(-10, 5).y, 105);

  const PlotView single = FitView(std::vector<PreviewPoint>{{7, 8}}, 100, 100, 10);
  EXPECT_EQ(single.units_per_pixel, 1);
  EXPECT_EQ(single.center_x, 7);
  EXPECT_EQ(FitView({}, 100, 100, 10).units_per_pixel, 1);
}

TEST(PlotView, TicksAreRoundMultiplesWithLabelsOfTheStepsDecimals) {
  const struct {
    double low, high;
    int max_count;
    std::vector<double> values;
    std::vector<std::string> labels;
  } cases[] = {
      {0, 10, 5, {0, 2, 4, 6, 8, 10}, {"0", "2", "4", "6", "8", "10"}},
      {-0.26, 0.26, 4, {-0.2, 0, 0.2}, {"-0.2", "0.0", "0.2"}},
      {2500012.3, 2500047.9, 3, {2500020, 2500040}, {"2500020", "2500040"}},
      {1, 1, 5, {}, {}},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.low);
    const AxisTicks ticks = TicksFor(row.low, row.high, row.max_count);
    ASSERT_EQ(ticks.values.size(), row.values.size());
    for (std::size_t i = 0; i < ticks.values.size(); ++i) {
      EXPECT_NEAR(ticks.values[i], row.values[i], 1e-12);
      EXPECT_EQ(TickLabel(ticks.values[i], ticks.step), row.labels[i]);
    }
  }
}

TEST(PointDecimator, KeepsOnePointOfEachKindPerCellAndFindsTheNearest) {
  // A million points of two kinds over 100 by 100 pixels.
  std::vector<PreviewPoint> points;
  for (int i = 0; i < 1000000; ++i)
    points.push_back({(i % 1000) / 10.0, (i / 1000) / 10.0, 0, 0, i % 2 == 0 ? 0 : 5});
  points.push_back({std::nan(""), 1, 0, 0, 0});
  points.push_back({1e9, 1, 0, 0, 0});  // outside the view
  PlotView view;
  view.center_x = view.center_y = 50;
  view.width = view.height = 100;
  PointDecimator decimator;
  const std::vector<std::uint32_t>& drawn = decimator.Select(points, view, 2);
  // 50 by 50 cells, each holding points of both kinds.
  EXPECT_EQ(drawn.size(), 2u * 50 * 50);
  EXPECT_TRUE(std::is_sorted(drawn.begin(), drawn.end()));
  EXPECT_EQ(points[drawn[1]].kind, 5);

  const auto nearest = NearestPoint(points, drawn, view, view.ToPixel(20.05, 30), 3);
  ASSERT_TRUE(nearest);
  EXPECT_NEAR(points[*nearest].x, 20, 0.11);
  EXPECT_FALSE(NearestPoint(points, drawn, view, {-50, -50}, 3));
}

}  // namespace
}  // namespace quorvex
