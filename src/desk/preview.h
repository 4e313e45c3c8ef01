#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_model.h"
#include "desk/dxf_browser.h"
#include "engine/export_config.h"
#include "engine/extended_settings.h"

namespace quorvex {

class DxfLines;

/// How many data lines of the file the preview shows, the header line included.
inline constexpr std::size_t kPreviewLineCount = 200;
/// A drawing with more entities in its ENTITIES section is previewed from its first ones, so that
/// each change of the configuration is shown within a moment even for the largest drawings.
inline constexpr std::int64_t kPreviewEntityLimit = 50000;

/// What the preview converts: the drawing focused in the file list under the configuration in
/// effect, as "Process selected files" would take it at this moment.
struct PreviewRequest {
  std::string dxf_path;  // empty: no drawing to preview
  TExportConfig config{};
  RunTables tables;
  ExtendedSettings extended;
  std::string extension_text;        // the extension box as typed
  std::string other_separator_text;  // the "Other" separator box as typed
  std::int64_t entity_limit = kPreviewEntityLimit;

  friend bool operator==(const PreviewRequest&, const PreviewRequest&) = default;
};

/// The drawing to preview: the list's focused row, else its first selected row; empty for none.
/// `focused_row` is negative when no row has the focus.
std::string PreviewDrawingPath(const DxfBrowser& browser, int focused_row);

/// The request for `dxf_path` under the configuration of `model`.
PreviewRequest MakePreviewRequest(const ConfigModel& model, std::string dxf_path,
                                  std::string extension_text, std::string other_separator_text);

/// One exported point: where it is, the entity kind it is counted under, and where its data line
/// lies in PreviewResult::point_lines.
struct PreviewPoint {
  double x = 0;
  double y = 0;
  std::uint64_t line_start = 0;
  std::uint32_t line_size = 0;
  std::int32_t kind = 0;
};

/// What the preview shows of one request.
struct PreviewResult {
  std::string dxf_path;
  /// Why there is nothing to show, or why the conversion stopped: the Process command's message,
  /// the refusal of a configuration value, or the report's error line of the drawing. Empty
  /// when the conversion went through.
  std::string message;
  /// The first kPreviewLineCount lines of the data file, as the file holds them.
  std::string lines;
  std::vector<PreviewPoint> points;
  /// The data line of every point, line ends included, one after the other.
  std::string point_lines;
  std::array<std::int64_t, kEntityKindCount> points_per_kind{};
  /// Entities of the ENTITIES section converted, and of the whole section.
  std::int64_t entities_converted = 0;
  std::int64_t entity_total = 0;
  /// The conversion was stopped by a newer request; the result is of no use.
  bool cancelled = false;

  /// The data line of `point`, without its line end.
  std::string_view LineOf(const PreviewPoint& point) const;
  bool Partial() const { return entities_converted < entity_total; }
};

/// Appends to `kept` the bytes of `bytes` up to the end of the `max_lines`-th line that `kept`
/// holds (lines end in LF, or CR LF); false once `kept` holds that many lines.
bool KeepFirstLines(std::string& kept, std::string_view bytes, std::size_t max_lines);

/// Computes previews one after the other, keeping the drawing last previewed loaded, and its
/// entities counted, while the file stays the same.
class PreviewComputer {
 public:
  PreviewComputer();
  ~PreviewComputer();
  PreviewComputer(const PreviewComputer&) = delete;
  PreviewComputer& operator=(const PreviewComputer&) = delete;

  /// The preview of `request`, converted into memory as a run converts it into its data file;
  /// stops early, with `cancelled` in the result, when `cancelled` is set.
  PreviewResult Compute(const PreviewRequest& request, const std::atomic<bool>& cancelled);

 private:
  struct Drawing;
  // The drawing at `path`, loaded anew when it is another file or has changed since; null with
  // `reason` set when it cannot be read.
  const Drawing* Load(const std::string& path, std::int64_t entity_limit, std::string& reason);

  std::unique_ptr<Drawing> drawing_;
};

}  // namespace quorvex
