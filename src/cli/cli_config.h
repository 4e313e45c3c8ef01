#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/config_model.h"
#include "engine/failure.h"

namespace quorvex::cli {

/// Where the configuration of a command-line run comes from.
struct ConfigSource {
  /// -c as given; none for the default configuration.
  std::optional<std::string> name;
  /// The program's folder, where "default.qrv" is looked up (or in its installed place).
  std::string program_directory;
  /// The per-user configurations folder, where -c naming a file without a folder is looked for
  /// when it is not found as given; empty when there is none.
  std::string configurations_folder;
};

/// Loads the configuration into `model` as the window loads a file: -c FILE, a .qrv
/// file or the TOML form, told apart by the .qrv identifier at its start; else "default.qrv";
/// else the built-in default configuration. `path` is set to the file read, if any, and
/// `ansi_texts` to the keys of its texts read as ANSI_1252 (ConfigRead). Returns why the file
/// was refused (ReadConfiguration), or nothing when the configuration was loaded.
std::optional<Failure> LoadCliConfiguration(const ConfigSource& source, ConfigModel& model,
                                            std::string& path,
                                            std::vector<std::string>& ansi_texts);

}  // namespace quorvex::cli
