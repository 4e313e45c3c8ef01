#pragma once

#include <QMainWindow>
#include <memory>

#include "config/config_model.h"
#include "desk/config_session.h"
#include "desk/dxf_browser.h"
#include "desk/output_directory.h"
#include "desk/preferences.h"
#include "desk/startup.h"
#include "ui/reporting_launcher.h"
#include "ui/window_prompts.h"
#include "ui/window_services.h"

class QLabel;
class QTabWidget;

namespace quorvex::ui {

class BatchRunner;
class ConfigurationPage;
class FilesPage;
class FittedLabel;
class FolderDialog;
class OptionsPage;
class PreviewPanel;
class ProgressWindow;
class TooltipFilter;

/// The main window: the three tabs, the status bar naming the configuration in use and the
/// summary of the last run, the window title, the run of "Process selected files", and the start-up
/// and exit sequences. Every rule lives in the core objects it owns; the window binds them to its
/// pages.
class MainWindow final : public QMainWindow, private MainWindowParts {
  Q_OBJECT
 public:
  explicit MainWindow(const WindowServices& services, QWidget* parent = nullptr);
  ~MainWindow() override;

  /// Opens the folder of `paths` (drawings or a folder) with those drawings selected.
  void openPaths(const QStringList& paths);
  bool runInProgress() const;

 signals:
  /// A run ended and its report was written.
  void runFinished();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // MainWindowParts
  void RestoreWindowSize(const std::optional<WindowSize>& size) override;
  WindowSize CurrentWindowSize() const override;
  void SelectFolder(const std::string& folder) override;
  void RestoreHeaderLayout(const std::vector<std::int32_t>& widths,
                           const std::vector<std::int32_t>& order) override;
  void CurrentHeaderLayout(std::vector<std::int32_t>& widths,
                           std::vector<std::int32_t>& order) const override;
  void RestoreFolderPanelWidth(const std::optional<int>& width) override;
  int CurrentFolderPanelWidth() const override;
  void ShowInformation(std::string_view text) override;
  void ShowFirstPage() override;

  void addShortcuts();
  void startUp();
  /// The exit sequence, or the stop of the run under way; true when the window may close.
  bool confirmExit();
  void process();
  void runEnded();
  void setRunning(bool running);
  void showConfigurationName();
  /// "Drawing information..." of the file list: a dialog, or the error when the drawing cannot
  /// be read.
  void showDrawingInfo(const QString& path);

  WindowServices services_;
  WindowPrompts prompts_;
  ReportingLauncher launcher_;
  ConfigModel config_;
  ConfigSession session_;
  Preferences preferences_;
  DxfBrowser browser_;
  OutputDirectory output_;
  StartupContext context_;
  std::unique_ptr<FolderDialog> folderDialog_;
  QTabWidget* tabs_;
  FilesPage* filesPage_;
  ConfigurationPage* configurationPage_;
  OptionsPage* optionsPage_;
  PreviewPanel* previewPanel_;
  ProgressWindow* progressWindow_;
  BatchRunner* runner_;
  TooltipFilter* tooltips_;
  QLabel* statusText_;
  FittedLabel* runSummary_;
  bool started_ = false;
  bool exitConfirmed_ = false;
  bool exitAfterRun_ = false;
};

}  // namespace quorvex::ui
