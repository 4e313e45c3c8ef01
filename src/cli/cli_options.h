#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvex::cli {

/// What the command line asks for.
struct CliOptions {
  std::vector<std::string> inputs;  // DXF files and folders, as given
  std::optional<std::string> config_path;
  std::string output_dir = ".";
  std::optional<std::string> extension;
  std::optional<std::string> log_path;
  unsigned jobs = 0;  // 0: the number of cores
  bool quiet = false;
  bool help = false;
  bool version = false;
};

/// The options of `args` (without the program name); nullopt with `error` set on a usage error.
std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args, std::string& error);

/// The text printed by --help.
std::string UsageText();

}  // namespace quorvex::cli
