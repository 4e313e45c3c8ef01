#include "cli/cli_config.h"

#include <algorithm>
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

constexpr std::string_view kConfigExtensions[] = {".toml", ".qrv"};

// -c as given, or, for a bare name that is not there, the first of NAME, NAME.toml and NAME.qrv
// in the configurations folder, then in the presets folder.
std::string ConfigPath(const ConfigSource& source) {
  const std::string& name = *source.name;
  if (Exists(name) || name.find('/') != std::string::npos) return name;
  for (const std::string* folder : {&source.configurations_folder, &source.presets_folder}) {
    if (folder->empty()) continue;
    std::string in_folder = (fs::path(*folder) / name).string();
    if (Exists(in_folder)) return in_folder;
    for (const std::string_view extension : kConfigExtensions) {
      std::string named = in_folder + std::string(extension);
      if (Exists(named)) return named;
    }
  }
  return name;
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

std::vector<std::string> PresetNames(const std::string& presets_folder) {
  std::vector<std::string> names;
  std::error_code error;
  if (presets_folder.empty()) return names;
  for (fs::directory_iterator entry(presets_folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const fs::path& path = entry->path();
    for (const std::string_view extension : kConfigExtensions)
      if (path.extension() == extension) names.push_back(path.stem().string());
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

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
