#pragma once

#include <filesystem>
#include <string>

#include "config/config_file.h"
#include "config/config_model.h"

namespace quorvex {

/// Reads the configuration file at `path` in either of its forms, told apart by content: a file
/// that starts with the .qrv identifier is a .qrv file, a file that can be text is read as the
/// TOML form, and one that cannot (a NUL byte, or a control character other than a tab or a line
/// end first, as in a .qrv file whose identifier is damaged) is no configuration. The failure is
/// the reading's (ReadConfigFile), kNotAConfig for a file that is neither, the .qrv reader's
/// (kConfigDamaged) or the TOML reader's (kConfigNotToml, kConfigTomlRefused). The texts of a
/// configuration read that are not UTF-8 are read as ANSI_1252 (ReadForeignTexts), so that no
/// byte of another code page reaches a data file.
ConfigRead ReadConfiguration(const std::filesystem::path& path);

/// The two forms of a configuration file.
enum class ConfigForm { kQrv, kToml };

/// The form a file's name asks for: the TOML form for a name that ends in ".toml", in any case,
/// the .qrv form for any other.
ConfigForm FormOfName(const std::filesystem::path& path);

/// What a save of `model` writes in `form`, once the model is prepared as before every save: the
/// .qrv bytes or the TOML form of the same configuration.
std::string BytesToSave(ConfigModel& model, ConfigForm form);

}  // namespace quorvex
