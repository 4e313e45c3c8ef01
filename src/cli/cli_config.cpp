#include "cli/cli_config.h"

#include <cstring>
#include <filesystem>

#include "batch/program_paths.h"
#include "config/default_config.h"
#include "config/qrv_file.h"
#include "config/toml_config.h"
#include "engine/report_words.h"

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

std::optional<std::string> LoadFile(const std::string& path, ConfigModel& model) {
  const ConfigFileRead read = ReadConfigFile(path);
  if (read.not_config) return FailureText({Failure::Kind::kNotAConfig, path});
  if (read.error != 0)
    return FailureText({Failure::Kind::kConfigNotOpened, path, {}, 0, std::strerror(read.error)});
  std::optional<ConfigContent> content;
  if (HasConfigIdentifier(read.bytes)) {
    ParsedConfigFile parsed = ParseConfigFile(read.bytes);
    if (!parsed.ok()) {
      return FailureText({Failure::Kind::kConfigDamaged, path, std::string(parsed.ErrorMessage())});
    }
    content = std::move(parsed.content);
  } else {
    std::string error;
    content = ParseConfigToml(read.bytes, EscapedName(path), error);
    if (!content) return error;
  }
  model.LoadContent(*content);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> LoadCliConfiguration(const ConfigSource& source, ConfigModel& model,
                                                std::string& path) {
  if (source.name) {
    path = ConfigPath(source);
    return LoadFile(path, model);
  }
  if (const std::optional<std::string> found =
          FindResource(source.program_directory, "default.qrv")) {
    path = *found;
    return LoadFile(path, model);
  }
  model.LoadContent(DefaultConfiguration());
  return std::nullopt;
}

}  // namespace quorvex::cli
