#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariant>

#include "desk/dxf_browser.h"

namespace quorvex::ui {

/// The file list of a DxfBrowser, one row per listed file in display order, with the columns
/// "Name", "Modified" and "Size". Keeps no rows of its own: the page's DxfBrowserObserver tells it
/// when the browser's rows change. Files and folders dropped on the list are handed on as paths.
class FileListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit FileListModel(DxfBrowser& browser, QObject* parent = nullptr);

  /// The DecorationRole of the "Name" column (an opaque value from the widget layer).
  void setFileIcon(const QVariant& icon);
  /// The BackgroundRole of the shaded (sort) column.
  void setShadeBrush(const QVariant& brush);

  /// The browser's rows are about to be replaced or reordered (begins a model reset).
  void rowsAboutToChange();
  /// The browser's rows were replaced or reordered (ends the model reset).
  void rowsChanged();
  /// The shaded column may have changed: dataChanged over every cell.
  void shadingChanged();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  /// Cells are selectable; only the list as a whole (the root) takes drops.
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  /// Drops: a "text/uri-list" naming at least one local file or folder, copied (a move could
  /// make the source delete what was dropped). Other URLs in the list are left out.
  QStringList mimeTypes() const override;
  Qt::DropActions supportedDropActions() const override;
  bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                       const QModelIndex& parent) const override;
  /// Emits `pathsDropped` with the local paths of an acceptable drop.
  bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                    const QModelIndex& parent) override;

 signals:
  /// Files or a folder dropped on the list (local paths).
  void pathsDropped(const QStringList& paths);

 private:
  void allCellsChanged(int first_column, int last_column, const QList<int>& roles);

  DxfBrowser& browser_;
  QVariant file_icon_;
  QVariant shade_brush_;
};

}  // namespace quorvex::ui
