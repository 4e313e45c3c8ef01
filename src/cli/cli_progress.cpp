#include "cli/cli_progress.h"

#include <filesystem>

#include "engine/report_words.h"
#include "engine/text_util.h"

namespace quorvex::cli {

CliProgress::CliProgress(std::FILE* out, bool enabled, std::vector<std::string> dxf_paths)
    : out_(out),
      enabled_(enabled),
      dxf_paths_(std::move(dxf_paths)),
      start_(std::chrono::steady_clock::now()) {
  for (const std::string& path : dxf_paths_) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    sizes_.push_back(error ? 0 : static_cast<std::int64_t>(size));
  }
}

void CliProgress::FileStarted(std::size_t index) {
  current_ = EscapedName(FileNameOf(dxf_paths_.at(index)));
  line_count_ = line_ = 0;
  Draw();
}

void CliProgress::ProcessPendingMessages() {
  // Called once per pair: look at the clock only now and then, redraw at most ten times a second.
  if (!enabled_ || (++pumps_ & 0xFFFF) != 0) return;
  if (std::chrono::steady_clock::now() - last_draw_ >= std::chrono::milliseconds(100)) Draw();
}

void CliProgress::FileFinished(std::size_t index, ConversionOutcome) {
  ++done_;
  bytes_done_ += sizes_.at(index);
  line_count_ = line_ = 0;
  Draw();
}

void CliProgress::HideProgress() {
  if (enabled_ && drawn_) std::fputs("\r\033[K", out_);
  drawn_ = false;
}

void CliProgress::Draw() {
  if (!enabled_) return;
  constexpr int kWidth = 24;
  const std::size_t total = dxf_paths_.size();
  const int filled = total == 0 ? kWidth : static_cast<int>(done_ * kWidth / total);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  const double rate = seconds > 0 ? static_cast<double>(bytes_done_) / 1e6 / seconds : 0;
  std::string name = current_;
  if (name.size() > 40) name = "..." + name.substr(name.size() - 37);
  if (line_count_ > 0) {
    name.push_back(' ');
    name.append(std::to_string(line_ * 100 / line_count_));
    name.push_back('%');
  }
  std::fprintf(out_, "\r\033[K[%s%s] %zu/%zu files  %.1f MB/s  %s",
               std::string(static_cast<std::size_t>(filled), '#').c_str(),
               std::string(static_cast<std::size_t>(kWidth - filled), '.').c_str(), done_, total,
               rate, name.c_str());
  std::fflush(out_);
  drawn_ = true;
  last_draw_ = std::chrono::steady_clock::now();
}

}  // namespace quorvex::cli
