#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "desk/config_session.h"
#include "desk/dxf_browser.h"
#include "desk/output_directory.h"
#include "desk/preferences.h"
#include "desk/settings_store.h"

namespace quorvex {

struct WindowSize {
  int width = 0;
  int height = 0;

  friend bool operator==(const WindowSize&, const WindowSize&) = default;
};

/// The parts of the main window that start-up sets and exit reads, beyond the core objects.
class MainWindowParts {
 public:
  virtual ~MainWindowParts() = default;
  /// The stored outer size, or nullopt on a first start: the minimum size. The window's minimum
  /// size applies either way, and the window is centred on the screen.
  virtual void RestoreWindowSize(const std::optional<WindowSize>& size) = 0;
  virtual WindowSize CurrentWindowSize() const = 0;
  /// Selects `folder` in the folder tree and expands it one level. The tree's selection change
  /// reaches `DxfBrowser::FolderChanged`, which lists the folder.
  virtual void SelectFolder(const std::string& folder) = 0;
  /// The column widths and visual order of a stored header (the sort is the browser's); empty
  /// vectors keep the design layout.
  virtual void RestoreHeaderLayout(const std::vector<std::int32_t>& widths,
                                   const std::vector<std::int32_t>& order) = 0;
  virtual void CurrentHeaderLayout(std::vector<std::int32_t>& widths,
                                   std::vector<std::int32_t>& order) const = 0;
  /// The folder-tree panel's width, or nullopt on a first start: 330 pixels at 96 dpi.
  virtual void RestoreFolderPanelWidth(const std::optional<int>& width) = 0;
  virtual int CurrentFolderPanelWidth() const = 0;
  /// An information message box with an OK button.
  virtual void ShowInformation(std::string_view text) = 0;
  /// Brings the "DXF Files" tab to the front.
  virtual void ShowFirstPage() = 0;
};

/// Everything the start-up and exit sequences work on.
struct StartupContext {
  SettingsStore& settings;
  Preferences& preferences;
  DxfBrowser& browser;
  OutputDirectory& output;
  ConfigSession& session;
  MainWindowParts& window;
  /// Where the last-used configuration is looked up, without a trailing "/".
  std::string configurations_folder;
  /// "default.qrv" when it was found; without it the built-in default configuration is used.
  std::optional<std::string> default_config_path;
  /// Stands in for a stored folder that no longer exists, and for a first start.
  std::string home_folder;
  /// Drawings, or a folder, the program was started with: the window opens on their folder
  /// with those files selected.
  std::vector<std::string> open_paths;
};

/// The folder and the file names that a list of drawings (or one folder) asks to open. The
/// folder is the first path's, or the first path itself when that is a folder; only files in
/// that folder are named. An empty folder when nothing usable was given. The list shows one
/// folder at a time: the paths given that it cannot show are kept, as given, to be named.
struct OpenRequest {
  std::string folder;
  std::vector<std::string> file_names;
  /// Files in other folders, and other folders.
  std::vector<std::string> elsewhere;
  std::vector<std::string> not_found;
};
OpenRequest ResolveOpenPaths(const std::vector<std::string>& paths);

/// The message naming the paths of `request` that are not opened; nothing when there are none.
std::optional<std::string> NotOpenedMessage(const OpenRequest& request);

/// The start-up sequence, run once when the main window is first shown: window size,
/// preferences, DXF folder (which lists it), destination and lock, file-list header, panel
/// width, "AutoSelect all files.", then the last-used configuration, or after the not-found
/// message the default one, then the "DXF Files" tab. A first start takes the defaults: the
/// minimum window size, help tips and the report on, auto-select off, the destination locked,
/// both folders the home folder. A stored size or panel width that is not a positive number
/// counts as missing.
void InitMainWindow(StartupContext& context);

/// The exit sequence up to the end of the program: the changed-configuration prompt, then the
/// folders, the window size, the panel width and the file-list header are stored. False when
/// the prompt said stop: nothing is written and the program keeps running.
bool ExitMainWindow(StartupContext& context);

}  // namespace quorvex
