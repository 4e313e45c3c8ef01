#include "program_paths.h"

#include <filesystem>
#include <system_error>

#include "data_file_name.h"
#include "directory_probe.h"
#include "log_file.h"

namespace quorvex {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kConfigurationsFolder = "configurations";

// Appending, rather than `a + std::string(b)`, which GCC 12 wrongly flags under -Wrestrict.
std::string Joined(std::string a, std::string_view b) {
  a.append(b);
  return a;
}

bool IsFile(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

}  // namespace

std::string ProgramPaths::LogFile() const {
  return Joined(data_directory, kLogFileName);
}

std::string ProgramPaths::ConfigurationsFolder() const {
  return Joined(data_directory, kConfigurationsFolder);
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

std::string UserDataDirectory(const char* xdg_data_home, const char* home) {
  // Relative values are ignored, as the base directory convention asks.
  if (xdg_data_home && xdg_data_home[0] == '/') {
    return WithTrailingSlash(xdg_data_home) + "quorvex/";
  }
  if (home && home[0] == '/') return WithTrailingSlash(home) + ".local/share/quorvex/";
  return {};
}

DataDirectoryChoice ChooseDataDirectory(std::string_view program_directory,
                                        std::string_view user_data_directory) {
  if (DirectoryIsWritable(program_directory)) return {WithTrailingSlash(program_directory), {}};
  if (user_data_directory.empty()) {
    return {{},
            "No folder for the log file: the program's folder is not writable and neither "
            "XDG_DATA_HOME nor HOME is set"};
  }
  const std::string directory = WithTrailingSlash(user_data_directory);
  std::error_code error;
  fs::create_directories(Joined(directory, kConfigurationsFolder), error);
  if (error) {
    return {{}, "Folder \"" + directory + "\" could not be created: " + error.message()};
  }
  return {directory, {}};
}

}  // namespace quorvex
