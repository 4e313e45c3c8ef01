#include "ui/folder_tree.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTimer>

namespace quorvex::ui {
namespace {

// How long the tree keeps a folder it was asked for in view while the folders above it are read.
constexpr int kRevealMs = 3000;

}  // namespace

FolderTree::FolderTree(QWidget* parent) : QTreeView(parent), folders_(new QFileSystemModel(this)) {
  folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  folders_->setReadOnly(true);
  folders_->setRootPath(QDir::rootPath());
  setModel(folders_);
  for (int column = 1; column < folders_->columnCount(); ++column)
    hideColumn(column);
  setHeaderHidden(true);
  setIndentation(19);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);

  // The folders are read in the background, and every folder read moves the rows below it: a
  // folder asked for stays expanded and in view until the user takes over, or for a while.
  revealTimer_.setSingleShot(true);
  revealTimer_.setInterval(kRevealMs);
  connect(&revealTimer_, &QTimer::timeout, this, [this] { revealed_.clear(); });
  const auto keepInView = [this] {
    if (!revealed_.isEmpty()) QTimer::singleShot(0, this, &FolderTree::showRevealed);
  };
  connect(folders_, &QFileSystemModel::directoryLoaded, this, keepInView);
  connect(folders_, &QAbstractItemModel::rowsInserted, this, keepInView);
  connect(folders_, &QAbstractItemModel::layoutChanged, this, keepInView);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) emit folderSelected(folders_->filePath(current));
          });
  reveal(QDir::homePath());
}

bool FolderTree::selectFolder(const QString& path) {
  const QModelIndex index = folders_->index(QDir::cleanPath(path));
  if (!index.isValid()) return false;
  setCurrentIndex(index);
  reveal(folders_->filePath(index));
  return true;
}

QString FolderTree::currentFolder() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? folders_->filePath(current) : QString();
}

void FolderTree::reveal(const QString& path) {
  revealed_ = path;
  revealTimer_.start();
  showRevealed();
}

void FolderTree::showRevealed() {
  const QModelIndex index = folders_->index(revealed_);
  if (revealed_.isEmpty() || !index.isValid()) return;
  expand(index);
  scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void FolderTree::mousePressEvent(QMouseEvent* event) {
  revealed_.clear();
  QTreeView::mousePressEvent(event);
}

void FolderTree::keyPressEvent(QKeyEvent* event) {
  revealed_.clear();
  QTreeView::keyPressEvent(event);
}

void FolderTree::wheelEvent(QWheelEvent* event) {
  revealed_.clear();
  QTreeView::wheelEvent(event);
}

}  // namespace quorvex::ui
