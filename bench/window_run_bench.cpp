// One 200 MB drawing converted from the window and from the command line, side by side in one
// run: the window converts off its GUI thread while the progress window shows how far it is, and
// must take at most 5 % longer than `quorvex-cli -j 1` on the same file and configuration (the
// built-in default). Times are wall-clock (the window's conversion runs on a worker thread).
// Run with --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true and compare the
// medians.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

#include "batch/clock.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "config/default_config.h"
#include "config/run_tables.h"
#include "standard_drawings.h"
#include "ui/batch_runner.h"
#include "ui/progress_window.h"

namespace quorvex::bench {
namespace {

struct Drawing {
  std::string path;
  std::string output;
  std::string log;
};

bool Prepare(benchmark::State& state, Drawing& drawing) {
  try {
    drawing.path = CachedStandardDrawing("mixed");
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
    return false;
  }
  drawing.output = BenchDirectory() + "/window-run";
  std::filesystem::create_directories(drawing.output);
  drawing.log = drawing.output + "/QuorvexLog.txt";
  return true;
}

void CommandLine(benchmark::State& state) {
  Drawing drawing;
  if (!Prepare(state, drawing)) return;
  std::string error;
  const auto options = cli::ParseCliOptions(
      {"-j", "1", "-q", "-o", drawing.output, "--log", drawing.log, drawing.path}, error);
  SystemClock clock;
  std::atomic<bool> cancelled{false};
  std::FILE* sink = std::fopen("/dev/null", "w");
  for (auto _ : state) {
    cli::CliEnvironment env{sink, stderr, false, ProgramPaths{}, clock, cancelled};
    if (cli::RunCli(*options, env) != cli::kExitConverted) state.SkipWithError("conversion failed");
  }
  std::fclose(sink);
}

void Window(benchmark::State& state) {
  Drawing drawing;
  if (!Prepare(state, drawing)) return;
  const ConfigContent content = DefaultConfiguration();
  PreparedRun run;
  run.config = content.record;
  run.config.SeparatorText.Assign(",");
  run.tables = CollectRunTables(content.trees);
  run.request = {drawing.output, {drawing.path}, drawing.log, 1};
  SystemClock clock;
  ui::ProgressWindow window;
  ui::BatchRunner runner(window, clock);
  for (auto _ : state) {
    QEventLoop loop;
    QObject::connect(&runner, &ui::BatchRunner::finished, &loop, &QEventLoop::quit);
    runner.start(run);
    loop.exec();
    const BatchResult& result = runner.lastResult();
    if (result.end != BatchEnd::kFinished || result.log_failure)
      state.SkipWithError("conversion failed");
  }
}

BENCHMARK(CommandLine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(Window)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace quorvex::bench

int main(int argc, char** argv) {
  // No display is needed: the progress window is drawn all the same, offscreen.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
