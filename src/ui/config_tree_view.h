#pragma once

#include <QTreeView>

#include "config/config_model.h"

class QMenu;

namespace quorvex::ui {

class ConfigTreeModel;

/// A view of one configuration tree. The user's focus, expansion and clicks go to the core's
/// rules; the core's selection and expansion are shown back. Its pop-up menu offers "Select
/// All", "Select None", "Expand All" and "Collapse All" (actions "selectAllAction",
/// "selectNoneAction", "expandAllAction", "collapseAllAction"); the data tree's also "Add
/// attribute column..." ("addAttributeAction") and, on a node of an attribute column, "Remove
/// attribute column" ("removeAttributeAction").
class ConfigTreeView final : public QTreeView {
  Q_OBJECT
 public:
  ConfigTreeView(ConfigModel& config, ConfigTreeModel& model, QWidget* parent = nullptr);

  /// Shows the core's expansion and selection of `node`.
  void showNode(int node);
  /// Shows the core's expansion and selection of every node, after the tree was replaced.
  void showAll();
  /// Opens the "Options" cell of `node` for editing, once the events under way are handled.
  void editValueLater(int node);

 signals:
  /// "Add attribute column...": the tag is to be asked for.
  void attributeColumnRequested();

 private:
  QMenu* buildMenu();

  ConfigModel& config_;
  ConfigTreeModel& model_;
  QMenu* menu_;
};

}  // namespace quorvex::ui
