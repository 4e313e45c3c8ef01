#pragma once

#include <filesystem>

#include "config/config_file.h"

namespace quorvex {

/// Reads the configuration file at `path` in either of its forms, told apart by content: a file
/// that starts with the .qrv identifier is a .qrv file, anything else is read as the TOML form.
/// The failure is the reading's (ReadConfigFile), the .qrv reader's (kNotAConfig, kConfigDamaged)
/// or the TOML reader's (kConfigNotToml, kConfigTomlRefused).
ConfigRead ReadConfiguration(const std::filesystem::path& path);

}  // namespace quorvex
