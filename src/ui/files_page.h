#pragma once

#include <QWidget>

#include "config/config_model.h"
#include "desk/dxf_browser.h"
#include "desk/output_directory.h"

class QLineEdit;
class QToolButton;

namespace quorvex::ui {

class DesktopLauncher;
class DxfFilesGroup;
class OutputGroup;

/// The "DXF Files" tab: what to convert, where to, and the commands that start and end it.
class FilesPage final : public QWidget {
  Q_OBJECT
 public:
  FilesPage(DxfBrowser& browser, OutputDirectory& output, ConfigModel& config,
            FolderChooser& chooser, DesktopLauncher& launcher, QWidget* parent = nullptr);

  DxfFilesGroup& files() const { return *files_; }
  OutputGroup& output() const { return *output_; }
  QLineEdit* extensionEdit() const;

  /// During a run: Process and everything that chooses files, folders or the extension are
  /// blocked; Exit and "Show last Log" stay usable.
  void setRunning(bool running);

 signals:
  void processRequested();
  void exitRequested();
  void showLogRequested();

 private:
  void updateProcessButton();

  DxfFilesGroup* files_;
  OutputGroup* output_;
  QToolButton* processButton_;
  bool anySelected_ = false;
  bool running_ = false;
};

}  // namespace quorvex::ui
