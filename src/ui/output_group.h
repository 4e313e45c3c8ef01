#pragma once

#include <QGroupBox>

#include "config/config_model.h"
#include "desk/output_directory.h"

class QLineEdit;
class QToolButton;

namespace quorvex::ui {

class DesktopLauncher;

/// " Output Directory and File Extension  ": the destination, its lock to the folder tree, the
/// folder dialog, the file manager, and the data-file extension, which is part of the
/// configuration.
class OutputGroup final : public QGroupBox, private OutputDirectoryObserver {
  Q_OBJECT
 public:
  OutputGroup(OutputDirectory& output, const DxfBrowser& browser, ConfigModel& config,
              FolderChooser& chooser, DesktopLauncher& launcher, QWidget* parent = nullptr);
  ~OutputGroup() override;

  QLineEdit* extensionEdit() const { return extensionEdit_; }
  /// Shows the configuration's extension, as a load does.
  void showExtension();
  /// While a run is under way the destination and the extension stay as they are.
  void setLocked(bool locked);

 private:
  void DestinationChanged() override;
  void LockChanged() override;
  void showLockState();

  OutputDirectory& output_;
  ConfigModel& config_;
  QLineEdit* destinationEdit_;
  QToolButton* browseButton_;
  QToolButton* unlockButton_;
  QToolButton* lockButton_;
  QLineEdit* extensionEdit_;
  bool runLocked_ = false;
};

}  // namespace quorvex::ui
