#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

/// The folders the program reads from and writes to, found once at start-up. Both end in "/".
struct ProgramPaths {
  /// The executable's folder; read-only resources are looked up from here.
  std::string program_directory;
  /// Where the log file and the configurations folder live.
  std::string data_directory;

  std::string LogFile() const;
  std::string ConfigurationsFolder() const;  // without a trailing "/"
};

/// The folder of the running executable, ending in "/"; empty when the system does not tell.
std::string ExecutableDirectory();

/// The path of the read-only resource `name` ("default.qrv", the help): in the program
/// directory, else in "../share/quorvex/" beside it (the installed layout); nullopt when in
/// neither.
std::optional<std::string> FindResource(std::string_view program_directory, std::string_view name);

/// The per-user data folder: "quorvex" in $XDG_DATA_HOME when that holds an absolute path, else in
/// "$HOME/.local/share"; empty when neither is known. Ends in "/".
std::string UserDataDirectory(const char* xdg_data_home, const char* home);

struct DataDirectoryChoice {
  std::string directory;  // ends in "/"; empty when `error` is set
  std::string error;      // the folder that could not be created and why
};

/// The program directory when a file can be created in it, otherwise `user_data_directory`,
/// created (with its configurations folder) when missing.
DataDirectoryChoice ChooseDataDirectory(std::string_view program_directory,
                                        std::string_view user_data_directory);

}  // namespace quorvex
