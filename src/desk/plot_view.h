#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "desk/preview.h"

namespace quorvex {

/// A position on the plot, in the widget's logical pixels from its top left corner.
struct PlotPixel {
  double x = 0;
  double y = 0;
};

/// The part of the drawing that the plot shows in an area of `width` by `height` logical pixels:
/// the drawing point at the area's centre and the drawing units that one pixel spans. Drawing Y
/// grows upwards, pixel Y downwards.
struct PlotView {
  double center_x = 0;
  double center_y = 0;
  double units_per_pixel = 1;
  double width = 1;
  double height = 1;

  PlotPixel ToPixel(double x, double y) const;
  double DrawingX(double pixel_x) const;
  double DrawingY(double pixel_y) const;
};

/// The view of every point with finite coordinates in an area of `width` by `height` pixels,
/// `margin` pixels left free at each side. A single point, or none, is shown at a scale of one
/// unit per pixel.
PlotView FitView(std::span<const PreviewPoint> points, double width, double height, double margin);

/// `view` zoomed by `factor` (above 1 shows more detail) about `anchor`, which stays over the
/// same drawing point. The scale stays where doubles still tell neighbouring pixels apart.
PlotView ZoomedView(const PlotView& view, double factor, PlotPixel anchor);

/// `view` with its content moved by `dx`, `dy` pixels, as a drag moves it.
PlotView PannedView(const PlotView& view, double dx, double dy);

/// The tick values of an axis from `low` to `high` (drawing units): multiples of 1, 2 or 5 times a
/// power of ten, at most `max_count` of them, and the step between them.
struct AxisTicks {
  std::vector<double> values;
  double step = 0;
};
AxisTicks TicksFor(double low, double high, int max_count);

/// A tick's label: `value` with as many decimals as `step` needs, without a sign for zero.
std::string TickLabel(double value, double step);

/// Chooses the points to draw: at most one of each kind per square cell of `cell` pixels within
/// the view, the first one met, so that a million points cost a drawing of the pixels they
/// cover. The storage is kept from one call to the next.
class PointDecimator {
 public:
  /// Indexes into `points` of the points to draw, in the order of `points`.
  const std::vector<std::uint32_t>& Select(std::span<const PreviewPoint> points,
                                           const PlotView& view, double cell);

 private:
  std::vector<std::uint64_t> taken_;  // one bit per cell and kind
  std::vector<std::uint32_t> selected_;
};

/// Among `candidates` (indexes into `points`), the one nearest to `at` within `radius` pixels.
std::optional<std::uint32_t> NearestPoint(std::span<const PreviewPoint> points,
                                          std::span<const std::uint32_t> candidates,
                                          const PlotView& view, PlotPixel at, double radius);

}  // namespace quorvex
