#include "ui/models/file_list_model.h"

#include <string_view>

#include <QMimeData>
#include <QUrl>

namespace quorvex::ui {
namespace {

constexpr int kNameColumn = 0;
constexpr int kModifiedColumn = 1;
constexpr int kSizeColumn = 2;
constexpr int kColumnCount = 3;

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant SizeAlignment() {
  return (Qt::AlignRight | Qt::AlignVCenter).toInt();
}

QStringList LocalPaths(const QMimeData* data) {
  QStringList paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths.append(url.toLocalFile());
  return paths;
}

}  // namespace

FileListModel::FileListModel(DxfBrowser& browser, QObject* parent)
    : QAbstractTableModel(parent), browser_(browser) {}

void FileListModel::setFileIcon(const QVariant& icon) {
  file_icon_ = icon;
  allCellsChanged(kNameColumn, kNameColumn, {Qt::DecorationRole});
}

void FileListModel::setShadeBrush(const QVariant& brush) {
  shade_brush_ = brush;
  shadingChanged();
}

void FileListModel::rowsAboutToChange() {
  beginResetModel();
}

void FileListModel::rowsChanged() {
  endResetModel();
}

void FileListModel::shadingChanged() {
  allCellsChanged(kNameColumn, kColumnCount - 1, {Qt::BackgroundRole});
}

int FileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(browser_.list().rows().size());
}

int FileListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
    return {};
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole: {
      const TFileEntry& entry = browser_.list().rows()[static_cast<std::size_t>(index.row())].entry;
      if (column == kNameColumn) return FromUtf8(entry.BaseName);
      return FromUtf8(column == kModifiedColumn ? entry.DateText : entry.SizeText);
    }
    case Qt::DecorationRole:
      return column == kNameColumn ? file_icon_ : QVariant();
    case Qt::TextAlignmentRole:
      return column == kSizeColumn ? SizeAlignment() : QVariant();
    case Qt::BackgroundRole:
      return column == browser_.shaded_column() ? shade_brush_ : QVariant();
    default:
      return {};
  }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  if (role == Qt::TextAlignmentRole) return section == kSizeColumn ? SizeAlignment() : QVariant();
  if (role != Qt::DisplayRole) return {};
  switch (section) {
    case kNameColumn:
      return QStringLiteral("Name");
    case kModifiedColumn:
      return QStringLiteral("Modified");
    case kSizeColumn:
      return QStringLiteral("Size");
    default:
      return {};
  }
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::ItemIsDropEnabled;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

QStringList FileListModel::mimeTypes() const {
  return {QStringLiteral("text/uri-list")};
}

Qt::DropActions FileListModel::supportedDropActions() const {
  return Qt::CopyAction;
}

bool FileListModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int /*row*/,
                                    int /*column*/, const QModelIndex& /*parent*/) const {
  return action == Qt::CopyAction && !LocalPaths(data).isEmpty();
}

bool FileListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                 const QModelIndex& parent) {
  if (action == Qt::IgnoreAction) return true;
  if (!canDropMimeData(data, action, row, column, parent)) return false;
  emit pathsDropped(LocalPaths(data));
  return true;
}

void FileListModel::allCellsChanged(int first_column, int last_column, const QList<int>& roles) {
  const int rows = rowCount();
  if (rows > 0) emit dataChanged(index(0, first_column), index(rows - 1, last_column), roles);
}

}  // namespace quorvex::ui
