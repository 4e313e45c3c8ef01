#pragma once

#include <atomic>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/convert_dxf_file.h"
#include "engine/data_sink.h"
#include "engine/export_config.h"
#include "engine/extended_settings.h"
#include "engine/failure.h"

namespace quorvex {

class DxfLines;

/// How a conversion into memory ended.
struct MemoryConversion {
  /// A configuration value that a run would refuse before converting anything; nothing else is
  /// set then.
  std::optional<Failure> refusal;
  FileOutcome outcome;
  /// The file's block of the report, from the data file's line on.
  std::vector<std::string> report;
};

/// Converts the drawing `lines` into `sink` exactly as RunBatch converts it into its data file
/// under the same configuration and settings: the same checks of the configuration's values,
/// the same header line and the same bytes, with no file written. The walk ends at `stop_line`
/// (see ScanEntities) or when `cancelled` is set; `dxf_name` names the drawing.
MemoryConversion ConvertIntoMemory(
    const TExportConfig& config, const RunTables& tables, const ExtendedSettings& extended,
    const DxfLines& lines, std::string_view dxf_name, DataSink& sink,
    const std::atomic<bool>& cancelled,
    std::int64_t stop_line = std::numeric_limits<std::int64_t>::max());

}  // namespace quorvex
