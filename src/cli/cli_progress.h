#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "batch/run_observer.h"
#include "engine/progress_display.h"

namespace quorvex::cli {

/// The progress bar on a terminal: the file being converted, files done, and MB/s over the run;
/// with one worker also how far the current file is. With `enabled` false it shows nothing.
class CliProgress final : public RunObserver, private ProgressDisplay {
 public:
  CliProgress(std::FILE* out, bool enabled, std::vector<std::string> dxf_paths);

  ProgressDisplay& Progress() override { return *this; }
  void FileStarted(std::size_t index) override;
  void FileFinished(std::size_t index, ConversionOutcome outcome) override;
  void HideProgress() override;

 private:
  void ShowAndRepaint() override {}
  void SetLabel(std::string_view) override {}
  void SetMaximum(std::int64_t maximum) override { line_count_ = maximum; }
  void SetPosition(std::int64_t position) override { line_ = position; }
  void ProcessPendingMessages() override;
  void Draw();

  std::FILE* out_;
  bool enabled_;
  std::vector<std::string> dxf_paths_;
  std::vector<std::int64_t> sizes_;
  std::size_t done_ = 0;
  std::int64_t bytes_done_ = 0;
  std::string current_;
  std::int64_t line_count_ = 0;
  std::int64_t line_ = 0;
  std::uint32_t pumps_ = 0;
  std::chrono::steady_clock::time_point last_draw_;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace quorvex::cli
