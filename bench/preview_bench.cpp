// The preview of a large drawing: the first preview of a drawing (loading it, counting its
// entities and converting the first kPreviewEntityLimit of them into memory), the preview after a
// change of the configuration (the drawing stays loaded and counted), and the choice of the
// points to draw among a million. Times are milliseconds per preview; on the shared 2-core
// machine, medians of 5 (December 2026): 377 ms of CPU for a first preview, 155 ms after a
// change (366,126 points), 9 ms to decimate a million points; wall times ran 2 to 4 times
// higher under the load of other builds.

#include <benchmark/benchmark.h>

#include <atomic>
#include <exception>
#include <string>
#include <vector>

#include "desk/plot_view.h"
#include "desk/preview.h"
#include "standard_drawings.h"

namespace quorvex::bench {
namespace {

PreviewRequest Request(const std::string& path) {
  PreviewRequest request;
  request.dxf_path = path;
  request.extension_text = "txt";
  request.config.DataFileExtension.Assign("txt");
  request.config.SeparatorText.Assign(",");
  for (int node : {field_node::kXDecimals, field_node::kYDecimals, field_node::kZDecimals})
    request.config.FieldValues[node].Assign("3");
  request.config.EntityChecks.fill(1);
  request.tables.EntityEnabled.fill(1);
  request.tables.FieldOrder = {
      field_node::kX, field_node::kY, field_node::kZ, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  return request;
}

void Preview(benchmark::State& state, bool first) {
  std::string path;
  try {
    path = CachedStandardDrawing("mixed");
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
    return;
  }
  const PreviewRequest request = Request(path);
  const std::atomic<bool> not_cancelled{false};
  PreviewComputer kept;
  kept.Compute(request, not_cancelled);  // the page cache warm, the drawing loaded
  std::size_t points = 0;
  for (auto _ : state) {
    if (first) {
      PreviewComputer fresh;
      points = fresh.Compute(request, not_cancelled).points.size();
    } else {
      points = kept.Compute(request, not_cancelled).points.size();
    }
  }
  state.counters["points"] = static_cast<double>(points);
}

BENCHMARK_CAPTURE(Preview, first_preview_mixed_200MB, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(Preview, after_a_change_mixed_200MB, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void DecimateMillion(benchmark::State& state) {
  std::vector<PreviewPoint> points;
  for (std::int64_t i = 0; i < 1000000; ++i) {
    points.push_back({static_cast<double>(i * 7919 % 100003) * 0.01,
                      static_cast<double>(i * 104729 % 99991) * 0.01, 0, 0,
                      static_cast<std::int32_t>(i % 12)});
  }
  const PlotView view = FitView(points, 800, 500, 20);
  PointDecimator decimator;
  std::size_t drawn = 0;
  for (auto _ : state)
    drawn = decimator.Select(points, view, 4).size();
  state.counters["drawn"] = static_cast<double>(drawn);
}
BENCHMARK(DecimateMillion)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvex::bench

BENCHMARK_MAIN();
