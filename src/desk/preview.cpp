#include "desk/preview.h"

#include <sys/stat.h>

#include <algorithm>
#include <utility>

#include "batch/data_file_name.h"
#include "batch/memory_conversion.h"
#include "batch/process_checks.h"
#include "desk/window_words.h"
#include "engine/data_sink.h"
#include "engine/dxf_lines.h"
#include "engine/entity_scan.h"
#include "engine/report_words.h"
#include "engine/text_util.h"

namespace quorvex {
namespace {

// Receives the conversion: the first lines of the data file, and each point with its line.
class PreviewSink final : public DataSink {
 public:
  explicit PreviewSink(PreviewResult& result) : result_(result) {}

  void Write(std::string_view bytes) override {
    if (keeping_) keeping_ = KeepFirstLines(result_.lines, bytes, kPreviewLineCount);
  }
  void PointWritten(double x, double y, std::string_view line) override {
    result_.points.push_back(
        {x, y, result_.point_lines.size(), static_cast<std::uint32_t>(line.size()), -1});
    result_.point_lines.append(line);
  }
  void EntityCounted(int kind) override {
    for (std::size_t i = counted_; i < result_.points.size(); ++i)
      result_.points[i].kind = kind;
    result_.points_per_kind[static_cast<std::size_t>(kind)] +=
        static_cast<std::int64_t>(result_.points.size() - counted_);
    counted_ = result_.points.size();
  }

  // Points of an entity that a failure stopped before it was counted have no kind to be drawn
  // in: their lines stay in the data file, the error line says why the entity is incomplete.
  void DropUncounted() { result_.points.resize(counted_); }

 private:
  PreviewResult& result_;
  bool keeping_ = true;
  std::size_t counted_ = 0;
};

struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  std::int64_t modified_ns = 0;

  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

FileStamp StampOf(const std::string& path) {
  struct stat info = {};
  if (stat(path.c_str(), &info) != 0) return {};
  return {info.st_dev, info.st_ino, info.st_size,
          static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

}  // namespace

struct PreviewComputer::Drawing {
  std::string path;
  FileStamp stamp;
  std::unique_ptr<DxfLines> lines;
  std::int64_t scanned_limit = -1;
  EntityScan scan;
};

std::string PreviewDrawingPath(const DxfBrowser& browser, int focused_row) {
  const std::vector<FileRow>& rows = browser.list().rows();
  std::size_t row = rows.size();
  if (focused_row >= 0 && static_cast<std::size_t>(focused_row) < rows.size()) {
    row = static_cast<std::size_t>(focused_row);
  } else {
    row = static_cast<std::size_t>(
        std::find_if(rows.begin(), rows.end(), [](const FileRow& r) { return r.selected; }) -
        rows.begin());
  }
  if (row >= rows.size()) return {};
  return WithTrailingSlash(browser.tree_path()) + rows[row].entry.FileName;
}

PreviewRequest MakePreviewRequest(const ConfigModel& model, std::string dxf_path,
                                  std::string extension_text, std::string other_separator_text) {
  PreviewRequest request;
  request.dxf_path = std::move(dxf_path);
  request.config = model.record();
  request.tables = model.CollectRunTables();
  request.extended = model.extended();
  request.extension_text = std::move(extension_text);
  request.other_separator_text = std::move(other_separator_text);
  return request;
}

std::string_view PreviewResult::LineOf(const PreviewPoint& point) const {
  std::string_view line = std::string_view(point_lines).substr(point.line_start, point.line_size);
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

bool KeepFirstLines(std::string& kept, std::string_view bytes, std::size_t max_lines) {
  std::size_t lines = static_cast<std::size_t>(std::count(kept.begin(), kept.end(), '\n'));
  std::size_t end = 0;
  while (lines < max_lines) {
    const std::size_t lf = bytes.find('\n', end);
    if (lf == std::string_view::npos) {
      kept.append(bytes);
      return true;
    }
    end = lf + 1;
    ++lines;
  }
  kept.append(bytes.substr(0, end));
  return false;
}

PreviewComputer::PreviewComputer() = default;
PreviewComputer::~PreviewComputer() = default;

const PreviewComputer::Drawing* PreviewComputer::Load(const std::string& path,
                                                      std::int64_t entity_limit,
                                                      std::string& reason) {
  const FileStamp stamp = StampOf(path);
  if (!drawing_ || drawing_->path != path || drawing_->stamp != stamp ||
      drawing_->lines->Changed()) {
    drawing_.reset();
    std::unique_ptr<DxfLines> lines = DxfLines::Load(path, reason);
    if (!lines) return nullptr;
    drawing_ = std::make_unique<Drawing>();
    drawing_->path = path;
    drawing_->stamp = stamp;
    drawing_->lines = std::move(lines);
  }
  if (drawing_->scanned_limit != entity_limit) {
    drawing_->scan = ScanEntities(*drawing_->lines, entity_limit);
    drawing_->scanned_limit = entity_limit;
  }
  return drawing_.get();
}

PreviewResult PreviewComputer::Compute(const PreviewRequest& request,
                                       const std::atomic<bool>& cancelled) {
  PreviewResult result;
  result.dxf_path = request.dxf_path;
  if (request.dxf_path.empty()) {
    result.message = kPreviewNoDrawing;
    return result;
  }
  TExportConfig config = request.config;
  const ProcessCheck check = CheckProcessCommand(config, request.extension_text,
                                                 request.other_separator_text, request.tables);
  if (check != ProcessCheck::kPassed) {
    result.message = Trimmed(ProcessCheckMessage(check));
    return result;
  }
  std::string reason;
  const Drawing* drawing = Load(request.dxf_path, request.entity_limit, reason);
  if (!drawing) {
    result.message =
        Trimmed(FailureText({Failure::Kind::kDxfUnreadable, request.dxf_path, {}, 0, reason}));
    return result;
  }
  result.entity_total = drawing->scan.total;
  result.entities_converted = std::min(drawing->scan.total, request.entity_limit);

  PreviewSink sink(result);
  const MemoryConversion converted =
      ConvertIntoMemory(config, request.tables, request.extended, *drawing->lines,
                        FileNameOf(request.dxf_path), sink, cancelled, drawing->scan.stop_line);
  if (converted.refusal) {
    result = PreviewResult{};
    result.dxf_path = request.dxf_path;
    result.message = WindowFailureText(*converted.refusal);
    return result;
  }
  sink.DropUncounted();
  switch (converted.outcome.outcome) {
    case ConversionOutcome::kCancelled:
      result.cancelled = true;
      break;
    case ConversionOutcome::kFailed:
      if (converted.outcome.failure)
        result.message = Trimmed(FailureText(*converted.outcome.failure));
      break;
    default:
      break;
  }
  return result;
}

}  // namespace quorvex
