#pragma once

#include <QTimer>
#include <QTreeView>

class QFileSystemModel;

namespace quorvex::ui {

/// The folders of the file system from its root, folders only, with the desktop's icons. It
/// reports the path of the selected folder and can be set to a folder by its path; the home
/// folder is shown expanded.
class FolderTree final : public QTreeView {
  Q_OBJECT
 public:
  explicit FolderTree(QWidget* parent = nullptr);

  /// Selects `path`, scrolls to it and expands it one level; false when the tree cannot show
  /// that folder (it does not exist, or it is hidden).
  bool selectFolder(const QString& path);
  /// The path of the selected folder; empty when none is selected.
  QString currentFolder() const;

 signals:
  /// The selected folder changed, by the user or by `selectFolder`.
  void folderSelected(const QString& path);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  /// Expands `path` and keeps it in view while the folders around it are read.
  void reveal(const QString& path);
  void showRevealed();

  QFileSystemModel* folders_;
  QString revealed_;
  QTimer revealTimer_;
};

}  // namespace quorvex::ui
