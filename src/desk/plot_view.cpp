#include "desk/plot_view.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace quorvex {
namespace {

bool Finite(const PreviewPoint& point) {
  return std::isfinite(point.x) && std::isfinite(point.y);
}

// Finer than this, the doubles of drawing coordinates in the millions no longer differ from
// pixel to pixel; coarser, the whole range of doubles fits in one pixel.
constexpr double kFinestScale = 1e-9;
constexpr double kCoarsestScale = 1e300;

}  // namespace

PlotPixel PlotView::ToPixel(double x, double y) const {
  return {width / 2 + (x - center_x) / units_per_pixel,
          height / 2 - (y - center_y) / units_per_pixel};
}

double PlotView::DrawingX(double pixel_x) const {
  return center_x + (pixel_x - width / 2) * units_per_pixel;
}

double PlotView::DrawingY(double pixel_y) const {
  return center_y - (pixel_y - height / 2) * units_per_pixel;
}

PlotView FitView(std::span<const PreviewPoint> points, double width, double height, double margin) {
  double min_x = std::numeric_limits<double>::infinity(), max_x = -min_x;
  double min_y = min_x, max_y = -min_x;
  for (const PreviewPoint& point : points) {
    if (!Finite(point)) continue;
    min_x = std::min(min_x, point.x);
    max_x = std::max(max_x, point.x);
    min_y = std::min(min_y, point.y);
    max_y = std::max(max_y, point.y);
  }
  PlotView view;
  view.width = width;
  view.height = height;
  if (min_x > max_x) return view;
  view.center_x = min_x / 2 + max_x / 2;
  view.center_y = min_y / 2 + max_y / 2;
  const double room_x = std::max(1.0, width - 2 * margin);
  const double room_y = std::max(1.0, height - 2 * margin);
  const double scale = std::max((max_x - min_x) / room_x, (max_y - min_y) / room_y);
  view.units_per_pixel = scale > 0 ? std::clamp(scale, kFinestScale, kCoarsestScale) : 1;
  return view;
}

PlotView ZoomedView(const PlotView& view, double factor, PlotPixel anchor) {
  PlotView zoomed = view;
  zoomed.units_per_pixel = std::clamp(view.units_per_pixel / factor, kFinestScale, kCoarsestScale);
  // The drawing point under the anchor stays there.
  const double x = view.DrawingX(anchor.x), y = view.DrawingY(anchor.y);
  zoomed.center_x = x - (anchor.x - view.width / 2) * zoomed.units_per_pixel;
  zoomed.center_y = y + (anchor.y - view.height / 2) * zoomed.units_per_pixel;
  return zoomed;
}

PlotView PannedView(const PlotView& view, double dx, double dy) {
  PlotView panned = view;
  panned.center_x -= dx * view.units_per_pixel;
  panned.center_y += dy * view.units_per_pixel;
  return panned;
}

AxisTicks TicksFor(double low, double high, int max_count) {
  AxisTicks ticks;
  if (!(high > low) || max_count < 1 || !std::isfinite(high - low)) return ticks;
  const double rough = (high - low) / max_count;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (const double multiple : {1.0, 2.0, 5.0, 10.0}) {
    ticks.step = multiple * power;
    if (ticks.step >= rough) break;
  }
  // Each tick is a whole multiple of the step, so that its label is exact.
  for (double n = std::ceil(low / ticks.step); n * ticks.step <= high; n += 1)
    ticks.values.push_back(n * ticks.step);
  return ticks;
}

std::string TickLabel(double value, double step) {
  const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
  if (std::abs(value) < step / 2) value = 0;
  char text[64];
  const auto end =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return std::string(text, end.ec == std::errc() ? end.ptr : text);
}

const std::vector<std::uint32_t>& PointDecimator::Select(std::span<const PreviewPoint> points,
                                                         const PlotView& view, double cell) {
  selected_.clear();
  const auto columns = static_cast<std::size_t>(std::ceil(view.width / cell)) + 1;
  const auto rows = static_cast<std::size_t>(std::ceil(view.height / cell)) + 1;
  const std::size_t cells = columns * rows;
  const std::size_t words = (cells * kEntityKindCount + 63) / 64;
  taken_.assign(words, 0);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const PreviewPoint& point = points[i];
    const PlotPixel pixel = view.ToPixel(point.x, point.y);
    // Also false for NaN.
    if (!(pixel.x >= 0 && pixel.x < view.width && pixel.y >= 0 && pixel.y < view.height)) continue;
    if (point.kind < 0 || point.kind >= kEntityKindCount) continue;
    const std::size_t at = (static_cast<std::size_t>(pixel.y / cell) * columns +
                            static_cast<std::size_t>(pixel.x / cell)) *
                               kEntityKindCount +
                           static_cast<std::size_t>(point.kind);
    std::uint64_t& word = taken_[at / 64];
    const std::uint64_t bit = std::uint64_t{1} << (at % 64);
    if ((word & bit) != 0) continue;
    word |= bit;
    selected_.push_back(static_cast<std::uint32_t>(i));
  }
  return selected_;
}

std::optional<std::uint32_t> NearestPoint(std::span<const PreviewPoint> points,
                                          std::span<const std::uint32_t> candidates,
                                          const PlotView& view, PlotPixel at, double radius) {
  std::optional<std::uint32_t> nearest;
  double best = radius * radius;
  for (const std::uint32_t index : candidates) {
    const PlotPixel pixel = view.ToPixel(points[index].x, points[index].y);
    const double distance =
        (pixel.x - at.x) * (pixel.x - at.x) + (pixel.y - at.y) * (pixel.y - at.y);
    if (distance <= best) {
      best = distance;
      nearest = index;
    }
  }
  return nearest;
}

}  // namespace quorvex
