#pragma once

#include <string>

#include "data_format.h"

namespace quorvex {

/// The export settings beyond the configuration record: those a .qrv file has no room for, so
/// that the TOML form of a configuration is the only one that keeps them. Each is off, or empty,
/// by default, and then a run writes exactly what the record alone asks for.
///
/// A setting added here gets its key in the TOML form (read and written with the others in
/// config/toml_config_*), is named by that key when a .qrv save would drop it, is handed to
/// the conversion through the run's request, and is written into AppendSettingsKey (which does
/// not compile until it is).
struct ExtendedSettings {
  /// How data files are written for other programs: the keys quote, mtext-plain, line-ends,
  /// bom and decimal-comma.
  DataFormat format;

  friend bool operator==(const ExtendedSettings&, const ExtendedSettings&) = default;
};

/// Appends every setting of `settings` to `key`, so that the keys of two settings are equal
/// exactly when the settings are: what a record of the run compares to tell whether the
/// settings that wrote a data file have changed.
void AppendSettingsKey(const ExtendedSettings& settings, std::string& key);

}  // namespace quorvex
