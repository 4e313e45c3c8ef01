#pragma once

#include <string>

#include "engine/export_config.h"
#include "engine/extended_settings.h"

namespace quorvex {

/// The SHA-256 (64 hexadecimal digits) of everything in a run's configuration that changes the
/// bytes or the name of a data file: the record's values as the conversion reads them (not the
/// bytes behind a text's length), the run tables and every setting beyond the record. Nothing
/// else goes in: how the window shows its trees, for one, is not part of a run at all.
std::string ConfigurationHash(const TExportConfig& config, const RunTables& tables,
                              const ExtendedSettings& extended);

}  // namespace quorvex
