#include "cli/cli_config.h"

#include <filesystem>

#include "batch/program_paths.h"
#include "config/config_forms.h"
#include "config/default_config.h"

namespace quorvex::cli {
namespace {

namespace fs = std::filesystem;

bool Exists(const std::string& path) {
  std::error_code error;
  return fs::exists(path, error);
}

// -c as given, or, for a bare name that is not there, the same name in the configurations
// folder when it is there.
std::string ConfigPath(const ConfigSource& source) {
  const std::string& name = *source.name;
  const std::string& folder = source.configurations_folder;
  if (Exists(name) || name.find('/') != std::string::npos || folder.empty()) return name;
  const std::string in_folder = (fs::path(folder) / name).string();
  return Exists(in_folder) ? in_folder : name;
}

std::optional<Failure> LoadFile(const std::string& path, ConfigModel& model,
                                std::vector<std::string>& ansi_texts) {
  const ConfigRead read = ReadConfiguration(path);
  if (read.failure) return read.failure;
  model.LoadContent(read.content);
  ansi_texts = read.ansi_texts;
  return std::nullopt;
}

}  // namespace

std::optional<Failure> LoadCliConfiguration(const ConfigSource& source, ConfigModel& model,
                                            std::string& path,
                                            std::vector<std::string>& ansi_texts) {
  if (source.name) {
    path = ConfigPath(source);
    return LoadFile(path, model, ansi_texts);
  }
  if (const std::optional<std::string> found =
          FindResource(source.program_directory, "default.qrv")) {
    path = *found;
    return LoadFile(path, model, ansi_texts);
  }
  model.LoadContent(DefaultConfiguration());
  return std::nullopt;
}

}  // namespace quorvex::cli
