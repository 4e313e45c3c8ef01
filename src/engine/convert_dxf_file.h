#pragma once

#include <array>
#include <atomic>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "attribute_columns.h"
#include "blocks/expansion_settings.h"
#include "data_format.h"
#include "data_sink.h"
#include "dxf_lines.h"
#include "export_config.h"
#include "failure.h"
#include "file_writer.h"
#include "progress_display.h"
#include "undecoded_characters.h"

namespace quorvex {

/// The state that a batch run sets up for its conversions and that outlives each of them.
struct ConversionRun {
  const TExportConfig& Config;
  const RunTables& Tables;
  std::string HeaderLine;       // written first in every data file when IncludeHeader is 1
  std::string BlockFilterText;  // the block-name patterns, shown on the Blocks report line
  std::vector<std::string> ReportLines;
  const std::atomic<bool>& ProcessCancelled;
  ProgressDisplay& Progress;
  DataFormat Format = {};
  /// Never replace a data file that exists when the conversion ends (it then fails).
  bool KeepExistingDataFile = false;
  std::string LayerFilterText = {};  // the layer-name patterns, shown on their own report line
  /// Decode every drawing from this code page (ChoosableCodePages); or "".
  std::string CodePage = {};
  /// Where the data file's bytes go.
  FileWriter& Writer = SystemFileWriter();
  /// Sees the drawing's bytes as they are read from its file.
  DrawingReadHook OnDrawingRead = {};
  /// The attribute columns that attribute fields of `Tables.FieldOrder` name.
  std::span<const AttributeColumn> Attributes = {};
  /// When set, the data file's bytes and its points go here and no file is written; the data
  /// file's path only names it in the report.
  DataSink* Sink = nullptr;
  /// The walk ends at this 0-based line as at the end of the drawing (see ScanEntities).
  std::int64_t StopLine = std::numeric_limits<std::int64_t>::max();
  ExpansionSettings Expansion = {};
};

/// How the conversion of one file ended, for callers that count failures (the report says why).
enum class ConversionOutcome {
  kConverted,  // walked to the end; the counts are in the report
  kFailed,     // unreadable, not a valid DXF file, stopped by a conversion error, or its data
               // file could not be written (the earlier data file is then as it was)
  kCancelled,  // stopped by ProcessCancelled; the data file keeps the lines written so far
  kSkipped,    // not converted: its data file exists and was to be left alone
};

struct FileOutcome {
  ConversionOutcome outcome = ConversionOutcome::kFailed;
  std::optional<Failure> failure;  // why a kFailed file failed, or a kSkipped one was skipped
  /// Whether a data file was put in place, and how many data lines it holds (the header line
  /// not counted).
  bool data_file_written = false;
  std::int64_t data_lines = 0;
  /// The entities processed, by entity kind index, up to where the conversion ended.
  std::array<std::int64_t, kEntityKindCount> entity_counts{};
  /// What of the drawing's texts could not be decoded, when the walk was begun.
  UndecodedCharacters undecoded = {};
};

/// Converts the DXF file at `dxf_path` into the data file at `data_path` and appends the file's
/// report block to `run.ReportLines`. Every outcome (unreadable file, no ENTITIES line, a
/// conversion failure, cancellation) is told in the report and returned; nothing is thrown.
FileOutcome ConvertDxfFile(ConversionRun& run, const std::string& dxf_path,
                           const std::string& data_path);

/// The same over a drawing held in memory; `dxf_name` is shown as the file's name.
FileOutcome ConvertDxfText(ConversionRun& run, std::string_view dxf_text, std::string_view dxf_name,
                           const std::string& data_path);

/// The same over a drawing already loaded, which the caller keeps; `dxf_name` is shown as the
/// file's name.
FileOutcome ConvertDxfLines(ConversionRun& run, const DxfLines& lines, std::string_view dxf_name,
                            const std::string& data_path);

}  // namespace quorvex
