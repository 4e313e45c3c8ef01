#pragma once

#include <QGroupBox>
#include <cstdint>
#include <vector>

#include "desk/dxf_browser.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QSplitter;
class QTreeView;

namespace quorvex::ui {

class FileListModel;
class FolderTree;
class PathLabel;

/// " DXF files to process ": the folder tree, the DXF files of its folder with their selection,
/// sort and count line, and "AutoSelect all files.". The list's pop-up menu offers "Select All",
/// "Refresh folder" and "Drawing information..." (actions "selectAllAction",
/// "refreshFolderAction" and "drawingInfoAction"), the last for the row it was opened on. Every
/// action goes to the browser; the group redraws what the browser says changed.
class DxfFilesGroup final : public QGroupBox, private DxfBrowserObserver {
  Q_OBJECT
 public:
  DxfFilesGroup(DxfBrowser& browser, QWidget* parent = nullptr);
  ~DxfFilesGroup() override;

  /// Selects `path` in the folder tree, which lists it; a folder the tree cannot show is listed
  /// all the same.
  void selectFolder(const QString& path);

  void restoreHeaderLayout(const std::vector<std::int32_t>& widths,
                           const std::vector<std::int32_t>& order);
  void headerLayout(std::vector<std::int32_t>& widths, std::vector<std::int32_t>& order) const;
  void setFolderPanelWidth(int width);
  int folderPanelWidth() const;

  /// The row with the keyboard focus, or -1.
  int focusedRow() const;

  /// While a run is under way the folder, the list and the selection stay as they are.
  void setLocked(bool locked);

 signals:
  /// Whether any row is selected; "Process selected files" depends on it.
  void selectionPresenceChanged(bool any);
  /// Drawings or a folder dropped on the list.
  void pathsDropped(const QStringList& paths);
  /// "Drawing information..." for the drawing at `path`.
  void drawingInfoRequested(const QString& path);

 private:
  void RowsAboutToChange() override;
  void RowsChanged() override;
  void SelectionChanged() override;
  void StatusChanged() override;
  void FocusList() override;

  QWidget* buildFolderPanel();
  QWidget* buildListPanel();
  void showSelection();
  void takeSelection();
  void showSortIndicator();
  QMenu* buildListMenu();

  DxfBrowser& browser_;
  FileListModel* model_;
  FolderTree* folderTree_;
  PathLabel* folderLabel_;
  QCheckBox* autoSelectBox_;
  QTreeView* fileList_;
  QLabel* countLabel_;
  QSplitter* splitter_;
  QMenu* listMenu_;
  QAction* drawingInfoAction_;
  bool showingSelection_ = false;
};

}  // namespace quorvex::ui
