#include "program_paths.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "data_file_name.h"
#include "directory_probe.h"
#include "log_file.h"

namespace quorvex {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kDefaultConfigName = "default.qrv";
constexpr std::string_view kConfigurationsFolder = "configurations";
constexpr std::string_view kProgramFolder = "quorvex/";

// Appending, rather than `a + std::string(b)`, which GCC 12 wrongly flags under -Wrestrict.
std::string Joined(std::string a, std::string_view b) {
  a.append(b);
  return a;
}

bool IsFile(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

bool IsAbsolute(const char* path) {
  return path && path[0] == '/';
}

// The program's folder in the base directory `xdg_value`, else in `home_default` under HOME, as
// the base directory convention places it; empty when neither is known.
std::string UserFolder(const char* xdg_value, const char* home, std::string_view home_default) {
  if (IsAbsolute(xdg_value)) return Joined(WithTrailingSlash(xdg_value), kProgramFolder);
  if (IsAbsolute(home)) {
    return Joined(Joined(WithTrailingSlash(home), home_default), kProgramFolder);
  }
  return {};
}

// A program that brings its default configuration along in a folder it may write to is a build
// or a portable copy; the file is looked at first, so that an installed program never even
// probes its folder.
bool IsPortableFolder(std::string_view program_directory) {
  if (program_directory.empty()) return false;
  const std::string folder = WithTrailingSlash(program_directory);
  return IsFile(Joined(folder, kDefaultConfigName)) && DirectoryIsWritable(folder);
}

std::optional<Failure> PrepareFolder(const std::string& folder, Failure::Kind unknown) {
  if (folder.empty()) return Failure{unknown};
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) return Failure{Failure::Kind::kFolderNotCreated, folder, {}, 0, error.message()};
  return std::nullopt;
}

}  // namespace

std::string ProgramPaths::LogFile() const {
  return log_directory.empty() ? std::string() : Joined(log_directory, kLogFileName);
}

UserEnvironment CurrentUserEnvironment() {
  return {std::getenv("HOME"), std::getenv("XDG_STATE_HOME"), std::getenv("XDG_DATA_HOME")};
}

std::string ExecutableDirectory() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return WithTrailingSlash(executable.parent_path().string());
}

std::optional<std::string> FindResource(std::string_view program_directory, std::string_view name) {
  for (const std::string_view folder : {"", "../share/quorvex/"}) {
    std::string path = WithTrailingSlash(program_directory);
    path.append(folder);
    path.append(name);
    if (IsFile(path)) return path;
  }
  return std::nullopt;
}

ProgramPaths ChooseProgramPaths(std::string_view program_directory, const UserEnvironment& user) {
  ProgramPaths paths;
  if (!program_directory.empty()) paths.program_directory = WithTrailingSlash(program_directory);
  if (IsPortableFolder(program_directory)) {
    paths.log_directory = paths.program_directory;
    paths.configurations_folder = Joined(paths.program_directory, kConfigurationsFolder);
    return paths;
  }
  paths.log_directory = UserFolder(user.xdg_state_home, user.home, ".local/state/");
  const std::string data = UserFolder(user.xdg_data_home, user.home, ".local/share/");
  if (!data.empty()) paths.configurations_folder = Joined(data, kConfigurationsFolder);
  return paths;
}

std::optional<Failure> PrepareLogFolder(const ProgramPaths& paths) {
  return PrepareFolder(paths.log_directory, Failure::Kind::kNoLogFolder);
}

std::optional<Failure> PrepareConfigurationsFolder(const ProgramPaths& paths) {
  return PrepareFolder(paths.configurations_folder, Failure::Kind::kNoConfigurationsFolder);
}

std::optional<Failure> PrepareFolderOfConfigFile(const ProgramPaths& paths,
                                                 const std::string& path) {
  if (paths.configurations_folder.empty()) return std::nullopt;
  std::error_code error;
  const fs::path folder = fs::absolute(path, error).parent_path().lexically_normal();
  const fs::path configurations = fs::path(paths.configurations_folder).lexically_normal();
  if (error ||
      std::mismatch(configurations.begin(), configurations.end(), folder.begin(), folder.end())
              .first != configurations.end())
    return std::nullopt;
  return PrepareFolder(folder.string(), Failure::Kind::kNoConfigurationsFolder);
}

}  // namespace quorvex
