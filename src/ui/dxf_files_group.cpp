#include "ui/dxf_files_group.h"

#include <QCheckBox>
#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

#include "ui/folder_tree.h"
#include "ui/icons.h"
#include "ui/models/file_list_model.h"
#include "ui/path_label.h"
#include "ui/qt_text.h"

namespace quorvex::ui {
namespace {

constexpr int kColumnCount = 3;

}  // namespace

DxfFilesGroup::DxfFilesGroup(DxfBrowser& browser, QWidget* parent)
    : QGroupBox(QStringLiteral(" DXF files to process "), parent),
      browser_(browser),
      model_(new FileListModel(browser, this)),
      folderTree_(new FolderTree(this)),
      folderLabel_(new PathLabel(this)),
      autoSelectBox_(new QCheckBox(QStringLiteral("AutoSelect all files."), this)),
      fileList_(new QTreeView(this)),
      countLabel_(new QLabel(QStringLiteral("Files selected."), this)),
      splitter_(new QSplitter(Qt::Horizontal, this)),
      listMenu_(buildListMenu()) {
  setObjectName(QStringLiteral("dxfFilesGroup"));
  model_->setFileIcon(DxfFileIcon());
  model_->setShadeBrush(QColor(242, 242, 242));

  splitter_->setObjectName(QStringLiteral("folderSplitter"));
  splitter_->setOpaqueResize(true);
  splitter_->setChildrenCollapsible(false);
  splitter_->addWidget(buildFolderPanel());
  splitter_->addWidget(buildListPanel());
  splitter_->setStretchFactor(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(splitter_);
  setFolderPanelWidth(330);

  browser_.SetObserver(this);
  connect(folderTree_, &FolderTree::folderSelected, this,
          [this](const QString& path) { browser_.FolderChanged(ToStdString(path)); });
  connect(autoSelectBox_, &QCheckBox::clicked, this,
          [this](bool on) { browser_.ClickAutoSelect(on); });
  connect(fileList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &DxfFilesGroup::takeSelection);
  connect(fileList_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
    if (column >= 0 && column < kColumnCount) browser_.ClickHeader(static_cast<SortColumn>(column));
  });
  connect(fileList_, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
    // The row under the pointer becomes the current one, for "Drawing information...", without
    // changing the selection.
    const QModelIndex row = fileList_->indexAt(position);
    if (row.isValid())
      fileList_->selectionModel()->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
    drawingInfoAction_->setEnabled(row.isValid());
    listMenu_->exec(fileList_->viewport()->mapToGlobal(position));
  });
  connect(model_, &FileListModel::pathsDropped, this, &DxfFilesGroup::pathsDropped);
  showSortIndicator();
}

DxfFilesGroup::~DxfFilesGroup() {
  browser_.SetObserver(nullptr);
}

QWidget* DxfFilesGroup::buildFolderPanel() {
  auto* panel = new QWidget(this);
  folderTree_->setObjectName(QStringLiteral("folderTree"));
  folderTree_->setToolTip(QStringLiteral("Select a directory where DXF files reside."));
  folderLabel_->setObjectName(QStringLiteral("folderLabel"));
  folderLabel_->setToolTip(QStringLiteral("Selected directory"));
  auto* picture = new QLabel(panel);
  picture->setPixmap(Icon(QStringLiteral("folder")).pixmap(16, 16));
  auto* strip = new QHBoxLayout;
  strip->setContentsMargins(2, 4, 2, 2);
  strip->addWidget(picture);
  strip->addWidget(folderLabel_, 1);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(folderTree_, 1);
  layout->addLayout(strip);
  return panel;
}

QWidget* DxfFilesGroup::buildListPanel() {
  auto* panel = new QWidget(this);
  autoSelectBox_->setObjectName(QStringLiteral("autoSelectBox"));
  autoSelectBox_->setToolTip(QStringLiteral("Automatically select all DXF files in the directory"));
  auto* strip = new QHBoxLayout;
  strip->setContentsMargins(2, 0, 2, 2);
  strip->addWidget(new QLabel(QStringLiteral("  DXF Files"), panel));
  strip->addStretch();
  strip->addWidget(autoSelectBox_);

  fileList_->setObjectName(QStringLiteral("fileList"));
  fileList_->setToolTip(
      QStringLiteral("Select DXF files. \nUse Ctrl or Shift to select multiple files."));
  fileList_->setModel(model_);
  fileList_->setRootIsDecorated(false);
  fileList_->setUniformRowHeights(true);
  fileList_->setAllColumnsShowFocus(true);
  fileList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  fileList_->setSelectionBehavior(QAbstractItemView::SelectRows);
  fileList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  fileList_->setContextMenuPolicy(Qt::CustomContextMenu);
  fileList_->setDragDropMode(QAbstractItemView::DropOnly);
  fileList_->setAcceptDrops(true);
  fileList_->setDropIndicatorShown(false);
  fileList_->setSortingEnabled(false);
  QHeaderView* header = fileList_->header();
  header->setObjectName(QStringLiteral("fileListHeader"));
  header->setSectionsClickable(true);
  header->setSectionsMovable(true);
  header->setSortIndicatorShown(true);
  header->setMinimumSectionSize(30);
  // "Name" takes the room left, so that names are cut only in a narrow list.
  header->setStretchLastSection(false);
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setSectionResizeMode(0, QHeaderView::Stretch);
  header->setDefaultSectionSize(70);
  header->resizeSection(1, 130);

  countLabel_->setObjectName(QStringLiteral("countLabel"));
  countLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addLayout(strip);
  layout->addWidget(fileList_, 1);
  layout->addWidget(countLabel_);
  return panel;
}

void DxfFilesGroup::selectFolder(const QString& path) {
  const bool already = folderTree_->currentFolder() == path;
  if (!folderTree_->selectFolder(path) || already) browser_.FolderChanged(ToStdString(path));
}

void DxfFilesGroup::restoreHeaderLayout(const std::vector<std::int32_t>& widths,
                                        const std::vector<std::int32_t>& order) {
  QHeaderView* header = fileList_->header();
  if (widths.size() == kColumnCount) {
    for (int column = 0; column < kColumnCount; ++column)
      header->resizeSection(column, std::max(30, widths[static_cast<std::size_t>(column)]));
  }
  if (order.size() == kColumnCount) {
    for (int visual = 0; visual < kColumnCount; ++visual) {
      const int logical = order[static_cast<std::size_t>(visual)];
      if (logical < 0 || logical >= kColumnCount) return;
      header->moveSection(header->visualIndex(logical), visual);
    }
  }
  showSortIndicator();
}

void DxfFilesGroup::headerLayout(std::vector<std::int32_t>& widths,
                                 std::vector<std::int32_t>& order) const {
  const QHeaderView* header = fileList_->header();
  widths.clear();
  order.clear();
  for (int i = 0; i < kColumnCount; ++i) {
    widths.push_back(header->sectionSize(i));
    order.push_back(header->logicalIndex(i));
  }
}

void DxfFilesGroup::setFolderPanelWidth(int width) {
  const int total = std::max(splitter_->width(), width + 200);
  splitter_->setSizes({width, total - width});
}

int DxfFilesGroup::folderPanelWidth() const {
  return splitter_->sizes().value(0);
}

int DxfFilesGroup::focusedRow() const {
  return fileList_->currentIndex().row();
}

void DxfFilesGroup::setLocked(bool locked) {
  for (QWidget* widget : {static_cast<QWidget*>(folderTree_), static_cast<QWidget*>(fileList_),
                          static_cast<QWidget*>(autoSelectBox_)})
    widget->setEnabled(!locked);
}

void DxfFilesGroup::RowsAboutToChange() {
  model_->rowsAboutToChange();
}

void DxfFilesGroup::RowsChanged() {
  model_->rowsChanged();
  showSelection();
  showSortIndicator();
}

void DxfFilesGroup::SelectionChanged() {
  showSelection();
}

void DxfFilesGroup::StatusChanged() {
  countLabel_->setText(ToQString(browser_.status_line()));
  folderLabel_->setPath(ToQString(browser_.label_path()));
  autoSelectBox_->setChecked(browser_.auto_select());
  model_->shadingChanged();
  showSortIndicator();
  emit selectionPresenceChanged(browser_.HasSelection());
}

void DxfFilesGroup::FocusList() {
  fileList_->setFocus(Qt::OtherFocusReason);
}

// The browser's selection shown in the view; the first selected row becomes the current one.
void DxfFilesGroup::showSelection() {
  showingSelection_ = true;
  QItemSelection selection;
  const auto& rows = browser_.list().rows();
  int first = -1;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!rows[i].selected) continue;
    const int row = static_cast<int>(i);
    if (first < 0) first = row;
    selection.select(model_->index(row, 0), model_->index(row, kColumnCount - 1));
  }
  QItemSelectionModel* selected = fileList_->selectionModel();
  if (first >= 0 && !selected->currentIndex().isValid())
    selected->setCurrentIndex(model_->index(first, 0), QItemSelectionModel::NoUpdate);
  selected->select(selection, QItemSelectionModel::ClearAndSelect);
  showingSelection_ = false;
  emit selectionPresenceChanged(browser_.HasSelection());
}

// The user's selection handed to the browser.
void DxfFilesGroup::takeSelection() {
  if (showingSelection_) return;
  const std::size_t count = browser_.list().rows().size();
  std::vector<bool> selected(count, false);
  for (const QModelIndex& index : fileList_->selectionModel()->selectedRows()) {
    const auto row = static_cast<std::size_t>(index.row());
    if (row < count) selected[row] = true;
  }
  browser_.SetSelection(selected);
  emit selectionPresenceChanged(browser_.HasSelection());
}

void DxfFilesGroup::showSortIndicator() {
  const SortState sort = browser_.list().sort_state();
  fileList_->header()->setSortIndicator(static_cast<int>(sort.column),
                                        sort.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

QMenu* DxfFilesGroup::buildListMenu() {
  auto* menu = new QMenu(fileList_);
  menu->setObjectName(QStringLiteral("fileListMenu"));
  menu->addAction(Icon(QStringLiteral("select-all")), QStringLiteral("Select All"), this,
                  [this] { browser_.SelectAll(); })
      ->setObjectName(QStringLiteral("selectAllAction"));
  menu->addAction(Icon(QStringLiteral("refresh")), QStringLiteral("Refresh folder"), this,
                  [this] { browser_.Refresh(); })
      ->setObjectName(QStringLiteral("refreshFolderAction"));
  menu->addSeparator();
  drawingInfoAction_ = menu->addAction(QStringLiteral("Drawing information..."), this, [this] {
    const QModelIndex row = fileList_->currentIndex();
    if (!row.isValid()) return;
    emit drawingInfoRequested(ToQString(browser_.DxfPathOf(static_cast<std::size_t>(row.row()))));
  });
  drawingInfoAction_->setObjectName(QStringLiteral("drawingInfoAction"));
  drawingInfoAction_->setToolTip(QStringLiteral(
      "Show the version, code page, layers, blocks with their attribute tags, and entities of "
      "the drawing."));
  return menu;
}

}  // namespace quorvex::ui
