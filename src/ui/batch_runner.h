#pragma once

#include <QObject>
#include <QTimer>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "batch/clock.h"
#include "batch/run_batch.h"
#include "desk/process_command.h"

namespace quorvex::ui {

class ProgressWindow;

/// Runs one batch at a time off the GUI thread, so the window never freezes. The conversion
/// leaves its progress in atomics that a timer shows in the progress window every 50 ms, and
/// "Stop process" sets the flag the walk tests before every group pair. The end of the run is
/// told on the GUI thread once the run is over.
class BatchRunner final : public QObject {
  Q_OBJECT
 public:
  BatchRunner(ProgressWindow& window, const Clock& clock, QObject* parent = nullptr);
  /// Stops a run under way and waits for it.
  ~BatchRunner() override;

  bool running() const { return worker_.joinable(); }
  /// Starts `run` (its checks passed); ignored while a run is under way.
  void start(PreparedRun run);
  /// "Stop process": the file under way keeps its whole lines, and the report ends with the
  /// cancel line.
  void stop();

  /// The last run that ended, and its result.
  const PreparedRun& lastRun() const { return run_; }
  const BatchResult& lastResult() const { return result_; }

 signals:
  /// File `index` of the run (from 0, in report order) is about to be converted. Emitted on the
  /// run's own thread: a receiver connected directly runs there, before the conversion.
  void fileStarted(int index);
  /// The run ended: its report is written and the progress window hidden.
  void finished();

 private:
  class Relay;

  void showProgress();
  void finish();

  ProgressWindow& window_;
  const Clock& clock_;
  std::atomic<bool> cancelled_{false};
  std::unique_ptr<Relay> relay_;
  PreparedRun run_;
  QTimer timer_;
  std::int64_t shown_maximum_ = -1;
  BatchResult result_;
  std::thread worker_;
};

}  // namespace quorvex::ui
