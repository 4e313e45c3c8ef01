#pragma once

#include <optional>
#include <string>

#include "engine/convert_dxf_file.h"
#include "engine/data_format.h"
#include "engine/export_config.h"
#include "engine/extended_settings.h"
#include "engine/failure.h"

namespace quorvex {

/// The configuration a run converts under: `config`, with the "LineFeed" separator an LF when
/// lines end in LF alone, so that no CR is left in the data files.
TExportConfig RunConfig(const TExportConfig& config, const DataFormat& format);

/// The checks of a run's configuration (from RunConfig) before anything is written: its values
/// (CheckRunValues), then what the output format cannot be used with (CheckOutputFormat).
std::optional<Failure> CheckRunConfig(const TExportConfig& run_config, const DataFormat& format);

/// The line that starts every data file of a run that writes a header line.
std::string RunHeaderLine(const TExportConfig& run_config, const RunTables& tables,
                          const ExtendedSettings& extended);

/// Hands `run` what it takes from the settings beyond the record: the layer filter, the code
/// page, the attribute columns and the block expansion. `extended` outlives the conversion.
void TakeExtendedSettings(const ExtendedSettings& extended, ConversionRun& run);

}  // namespace quorvex
