#include "ui/config_tree_view.h"

#include <QHeaderView>
#include <QMenu>
#include <QTimer>

#include "ui/icons.h"
#include "ui/models/config_tree_model.h"

namespace quorvex::ui {

ConfigTreeView::ConfigTreeView(ConfigModel& config, ConfigTreeModel& model, QWidget* parent)
    : QTreeView(parent), config_(config), model_(model), menu_(buildMenu()) {
  setModel(&model_);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformRowHeights(true);
  setExpandsOnDoubleClick(true);
  setContextMenuPolicy(Qt::CustomContextMenu);
  setAllColumnsShowFocus(true);

  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            const int node = model_.nodeAt(current);
            if (node < 0) return;
            if (model_.tree() == ConfigTreeId::kEntity) {
              config_.FocusEntityNode(node);
            } else {
              config_.FocusDataNode(node);
            }
          });
  connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
    config_.SetExpanded(model_.tree(), model_.nodeAt(index), true);
  });
  connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
    config_.SetExpanded(model_.tree(), model_.nodeAt(index), false);
  });
  if (model_.tree() == ConfigTreeId::kData) {
    connect(this, &QAbstractItemView::clicked, this, [this] { config_.ClickDataTree(); });
  }
  connect(this, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& position) { menu_->exec(viewport()->mapToGlobal(position)); });
}

void ConfigTreeView::showNode(int node) {
  const QModelIndex index = model_.indexOfNode(node);
  if (!index.isValid()) return;
  const auto place = FindNode(config_.tree(model_.tree()), node);
  const bool expanded = place.node->Has(node_state::kExpanded);
  if (isExpanded(index) != expanded) setExpanded(index, expanded);
  if (config_.SelectedNode(model_.tree()) == node && currentIndex().siblingAtColumn(0) != index) {
    selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
}

void ConfigTreeView::showAll() {
  for (const TreeNode& top : config_.tree(model_.tree())) {
    showNode(top.data);
    for (const TreeNode& option : top.children)
      showNode(option.data);
  }
  const int selected = config_.SelectedNode(model_.tree());
  if (selected >= 0) scrollTo(model_.indexOfNode(selected));
}

void ConfigTreeView::editValueLater(int node) {
  QTimer::singleShot(0, this, [this, node] {
    // The focus may have moved on meanwhile; only the focused node's cell opens.
    if (config_.SelectedNode(model_.tree()) != node) return;
    const QModelIndex cell = model_.indexOfNode(node, 1);
    if (cell.isValid() && state() != QAbstractItemView::EditingState) edit(cell);
  });
}

QMenu* ConfigTreeView::buildMenu() {
  const ConfigTreeId tree = model_.tree();
  auto* menu = new QMenu(this);
  const auto add = [this, menu](const char* name, const char* icon, const QString& caption,
                                auto command) {
    QAction* action = menu->addAction(Icon(QString::fromLatin1(icon)), caption, this, command);
    action->setObjectName(QString::fromLatin1(name));
  };
  add("selectAllAction", "select-all", QStringLiteral("Select All"),
      [this, tree] { config_.SetAllChecks(tree, true); });
  add("selectNoneAction", "select-none", QStringLiteral("Select None"),
      [this, tree] { config_.SetAllChecks(tree, false); });
  add("expandAllAction", "expand-all", QStringLiteral("Expand All"),
      [this, tree] { config_.SetAllExpanded(tree, true); });
  add("collapseAllAction", "collapse-all", QStringLiteral("Collapse All"),
      [this, tree] { config_.SetAllExpanded(tree, false); });
  if (tree != ConfigTreeId::kData) return menu;
  menu->addSeparator();
  add("addAttributeAction", "attribute-add", QStringLiteral("Add attribute column..."),
      [this] { emit attributeColumnRequested(); });
  add("removeAttributeAction", "attribute-remove", QStringLiteral("Remove attribute column"),
      [this] { config_.RemoveAttributeColumn(config_.SelectedNode(ConfigTreeId::kData)); });
  QAction* remove = menu->actions().constLast();
  // The menu acts on the node the pointer pressed, which the press selected.
  connect(menu, &QMenu::aboutToShow, this, [this, remove] {
    remove->setVisible(IsAttributeNode(config_.SelectedNode(ConfigTreeId::kData)));
  });
  return menu;
}

}  // namespace quorvex::ui
