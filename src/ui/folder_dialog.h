#pragma once

#include <QDialog>

#include "desk/output_directory.h"

class QPushButton;

namespace quorvex::ui {

class FolderTree;
class PathLabel;

/// " Destination Directory for Data Files": a folder tree, the chosen path under it, and the
/// buttons "Select " and "Cancel ". Created once and reused, so it opens on the folder it showed
/// when last closed unless told otherwise.
class FolderDialog final : public QDialog, public FolderChooser {
  Q_OBJECT
 public:
  explicit FolderDialog(QWidget* parent = nullptr);

  std::optional<std::string> ChooseFolder(const std::optional<std::string>& start) override;

 private:
  void showPath();

  FolderTree* tree_;
  PathLabel* pathLabel_;
  QPushButton* selectButton_;
};

}  // namespace quorvex::ui
