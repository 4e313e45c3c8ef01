#pragma once

#include <atomic>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "batch/clock.h"
#include "batch/run_observer.h"

namespace quorvex::testing {

/// 5 March 2020, 14:07:09 local time, unless changed.
class FixedClock final : public Clock {
 public:
  std::tm LocalNow() const override { return now; }
  std::tm now = [] {
    std::tm t{};
    t.tm_year = 120;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_hour = 14;
    t.tm_min = 7;
    t.tm_sec = 9;
    return t;
  }();
};

/// Records what a run shows; when `cancel_at_pair` is set, presses "Stop process" at that
/// group pair of the run (counted from 1 over all files).
class RecordingObserver final : public RunObserver, private ProgressDisplay {
 public:
  explicit RecordingObserver(std::atomic<bool>& cancelled) : cancelled_(cancelled) {}

  ProgressDisplay& Progress() override { return *this; }
  void FileStarted(std::size_t index) override { started.push_back(index); }
  void FileFinished(std::size_t index, ConversionOutcome outcome) override {
    finished.push_back(index);
    outcomes.push_back(outcome);
  }
  void HideProgress() override { ++hidden; }

  long cancel_at_pair = 0;
  long pairs = 0;
  std::function<void(long pair)> at_pair;  // called at every group pair when set
  std::vector<std::size_t> started, finished;
  std::vector<ConversionOutcome> outcomes;
  int hidden = 0;

 private:
  void ShowAndRepaint() override {}
  void SetLabel(std::string_view) override {}
  void SetMaximum(std::int64_t) override {}
  void SetPosition(std::int64_t) override {}
  void ProcessPendingMessages() override {
    if (++pairs == cancel_at_pair) cancelled_.store(true);
    if (at_pair) at_pair(pairs);
  }
  std::atomic<bool>& cancelled_;
};

}  // namespace quorvex::testing
