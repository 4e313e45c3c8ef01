#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/config_options.h"

namespace quorvex::cli {

/// What the command line asks for: the settings over the configuration, and its own options.
struct CliOptions : ConfigOptions {
  std::vector<std::string> inputs;  // DXF files and folders, as given
  std::optional<std::string> config_path;
  std::string output_dir = ".";
  std::optional<std::string> log_path;  // "-": the standard output
  unsigned jobs = 0;                    // 0: the number of cores
  bool quiet = false;
  bool help = false;
  bool version = false;

  /// Print the configuration in effect as TOML and stop.
  bool print_config = false;
  /// Write the configuration in effect as a .qrv file here.
  std::optional<std::string> save_config;

  /// Delete the data file of a file that failed or was stopped instead of keeping its lines.
  bool remove_partial = false;
  /// Leave existing data files alone and skip their drawings, but those the manifest records
  /// as failed or stopped.
  bool no_clobber = false;
  /// Convert only the drawings whose data files the manifest does not record as converted from
  /// them as they are, under this configuration.
  bool incremental = false;
  /// Write no manifest into the destination.
  bool no_manifest = false;
};

/// The options of `args` (without the program name); nullopt with `error` set on a usage error.
std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args, std::string& error);

}  // namespace quorvex::cli
