#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/failure.h"

namespace quorvex {

/// The folders the program reads from and writes to, found once at start-up.
struct ProgramPaths {
  /// The executable's folder, ending in "/"; read-only resources are looked up from here.
  std::string program_directory;
  /// The folder of the log file, ending in "/"; empty when it cannot be known.
  std::string log_directory;
  /// The folder of the user's configuration files, without a trailing "/"; empty when it cannot
  /// be known.
  std::string configurations_folder;

  /// The log file in `log_directory`; empty when that is.
  std::string LogFile() const;
};

/// The environment variables that place the user's folders, as `getenv` gives them (null when
/// unset).
struct UserEnvironment {
  const char* home = nullptr;
  const char* xdg_state_home = nullptr;
  const char* xdg_data_home = nullptr;
};

/// The variables of the running process.
UserEnvironment CurrentUserEnvironment();

/// The folder of the running executable, ending in "/"; empty when the system does not tell.
std::string ExecutableDirectory();

/// The path of the read-only resource `name` ("default.qrv", the help): in the program
/// directory, else in "../share/quorvex/" beside it (the installed layout); nullopt when in
/// neither.
std::optional<std::string> FindResource(std::string_view program_directory, std::string_view name);

/// Where a program in `program_directory` keeps its log file and configurations. A build or
/// portable folder (one that holds "default.qrv" and in which a file can be created) keeps both
/// itself. Any other program, an installed one above all, never writes beside itself, even where
/// it could (as root): the log goes to "quorvex/" in the user's state folder ($XDG_STATE_HOME,
/// else "$HOME/.local/state") and the configurations to "quorvex/configurations" in the user's
/// data folder ($XDG_DATA_HOME, else "$HOME/.local/share"). Variables that do not hold an
/// absolute path count as unset; a folder they leave unplaced is empty. Nothing is created.
ProgramPaths ChooseProgramPaths(std::string_view program_directory, const UserEnvironment& user);

/// Creates the log folder of `paths` with its parents when missing. Nothing when it is there,
/// otherwise why not: kNoLogFolder, or kFolderNotCreated with the folder and the system's reason.
std::optional<Failure> PrepareLogFolder(const ProgramPaths& paths);

/// The same for the configurations folder, with kNoConfigurationsFolder.
std::optional<Failure> PrepareConfigurationsFolder(const ProgramPaths& paths);

/// Creates the folder of the configuration file at `path` with its parents when that folder is
/// the configurations folder of `paths` or inside it, so that a file can be saved there on an
/// account that has never saved one. Nothing when the folder is there or elsewhere (a folder
/// elsewhere is never created), otherwise kFolderNotCreated with the folder and the system's
/// reason.
std::optional<Failure> PrepareFolderOfConfigFile(const ProgramPaths& paths,
                                                 const std::string& path);

}  // namespace quorvex
