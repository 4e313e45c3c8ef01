#pragma once

#include <QAbstractItemModel>
#include <QList>
#include <QVariant>

#include "config/config_model.h"

namespace quorvex::ui {

/// One of the two configuration trees of a ConfigModel, as a tree model. Keeps no state of its
/// own: every query reads the core, every edit is forwarded to it.
///
/// Top-level nodes come in the core's order with their option nodes as children. An index names
/// its node by the node datum (entity or field node index), so indexes never point into the
/// core's node vectors, which a load or a move replaces. The core's rules change nodes other than
/// the one edited; the page's ConfigObserver reports each of them through `nodeChanged`.
class ConfigTreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  ConfigTreeModel(ConfigModel& model, ConfigTreeId tree, QObject* parent = nullptr);

  ConfigTreeId tree() const { return tree_; }
  /// The index of the node whose node datum is `node`; invalid when there is none.
  QModelIndex indexOfNode(int node, int column = 0) const;
  /// The node datum of `index`, -1 for an invalid index.
  int nodeAt(const QModelIndex& index) const;

  /// Pictures and fonts come from the widget layer as opaque values (this model needs Qt Core
  /// only). Entity tree: one icon per entity kind index (0..11); data tree: the custom-data icon,
  /// then the DXF-data icon.
  void setIcons(const QList<QVariant>& icons);
  /// The FontRole of a checked top-level node.
  void setBoldFont(const QVariant& font);
  /// The BackgroundRole of the data tree's "Options" column.
  void setOptionsBackground(const QVariant& brush);

  /// A node's check state, disabled mark, expansion, selection or value changed: dataChanged
  /// over the node's row. Unknown nodes are ignored.
  void nodeChanged(int node);
  /// The tree is about to be replaced or reordered (begins a model reset).
  void aboutToReset();
  /// The tree was replaced or reordered (ends the model reset).
  void reset();

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  /// CheckStateRole in column 0 checks or unchecks through the tree's check rule; EditRole in
  /// column 1 of a data option node runs the typed-value rule. True when the core took the value.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  /// The editable "Options" cell of a row is the buddy of its caption, so that a view commits
  /// and closes the editor of a row as soon as another row becomes the current one.
  QModelIndex buddy(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 signals:
  /// A typed value was refused; the window shows `message` in an error box.
  void valueRefused(const QString& message);

 private:
  const TreeNodes& nodes() const { return model_.tree(tree_); }
  bool isDataTree() const { return tree_ == ConfigTreeId::kData; }
  QVariant text(const NodePlace<const TreeNode>& place, int column) const;
  QVariant toolTip(int node) const;
  QVariant icon(const NodePlace<const TreeNode>& place) const;
  /// dataChanged for `roles` over columns first..last of every top-level row, and of every option
  /// row too when `with_options`.
  void allRowsChanged(int first, int last, const QList<int>& roles, bool with_options);

  ConfigModel& model_;
  ConfigTreeId tree_;
  QList<QVariant> icons_;
  QVariant bold_font_;
  QVariant options_background_;
};

}  // namespace quorvex::ui
