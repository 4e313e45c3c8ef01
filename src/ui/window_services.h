#pragma once

#include <optional>
#include <string>
#include <vector>

#include "batch/clock.h"
#include "batch/program_paths.h"
#include "desk/output_directory.h"
#include "desk/prompts.h"
#include "desk/settings_store.h"
#include "ui/options_page.h"

namespace quorvex::ui {

class DesktopLauncher;

/// What the main window needs from the program around it: its platform seams, which tests
/// replace, and the paths found at start-up.
struct WindowServices {
  SettingsStore& settings;
  Prompts& prompts;
  DesktopLauncher& launcher;
  const Clock& clock;
  /// The destination folder dialog; null for the window's own.
  FolderChooser* folder_chooser = nullptr;
  ProgramPaths paths;
  /// "default.qrv" when found; the built-in default configuration otherwise.
  std::optional<std::string> default_config_path;
  /// Stands in for folders that are gone, and for a first start.
  std::string home_folder;
  HelpLinks help;
  /// Drawings or a folder given on the command line.
  std::vector<std::string> open_paths;
};

}  // namespace quorvex::ui
