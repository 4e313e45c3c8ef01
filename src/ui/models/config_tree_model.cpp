#include "ui/models/config_tree_model.h"

#include <string_view>

#include "config/tree_tables.h"
#include "engine/field_captions.h"

namespace quorvex::ui {
namespace {

constexpr int kCaptionColumn = 0;
constexpr int kOptionsColumn = 1;

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

quintptr IdOf(int node) {
  return static_cast<quintptr>(node);
}

}  // namespace

ConfigTreeModel::ConfigTreeModel(ConfigModel& model, ConfigTreeId tree, QObject* parent)
    : QAbstractItemModel(parent), model_(model), tree_(tree) {}

QModelIndex ConfigTreeModel::indexOfNode(int node, int column) const {
  const NodePlace<const TreeNode> place = FindNode(nodes(), node);
  if (!place.node || column < 0 || column >= columnCount()) return {};
  const auto row =
      place.parent ? place.node - place.parent->children.data() : static_cast<qsizetype>(place.top);
  return createIndex(static_cast<int>(row), column, IdOf(node));
}

int ConfigTreeModel::nodeAt(const QModelIndex& index) const {
  return index.isValid() ? static_cast<int>(index.internalId()) : -1;
}

void ConfigTreeModel::setIcons(const QList<QVariant>& icons) {
  icons_ = icons;
  allRowsChanged(kCaptionColumn, kCaptionColumn, {Qt::DecorationRole}, false);
}

void ConfigTreeModel::setBoldFont(const QVariant& font) {
  bold_font_ = font;
  allRowsChanged(kCaptionColumn, columnCount() - 1, {Qt::FontRole}, false);
}

void ConfigTreeModel::setOptionsBackground(const QVariant& brush) {
  options_background_ = brush;
  if (isDataTree()) allRowsChanged(kOptionsColumn, kOptionsColumn, {Qt::BackgroundRole}, true);
}

void ConfigTreeModel::nodeChanged(int node) {
  const QModelIndex first = indexOfNode(node);
  if (!first.isValid()) return;
  emit dataChanged(first, first.siblingAtColumn(columnCount() - 1));
}

void ConfigTreeModel::aboutToReset() {
  beginResetModel();
}

void ConfigTreeModel::reset() {
  endResetModel();
}

QModelIndex ConfigTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (!hasIndex(row, column, parent)) return {};
  if (!parent.isValid())
    return createIndex(row, column, IdOf(nodes()[static_cast<std::size_t>(row)].data));
  // hasIndex checked the row against the parent's option nodes, so the parent is a top-level node.
  const TreeNode& top = *FindNode(nodes(), nodeAt(parent)).node;
  return createIndex(row, column, IdOf(top.children[static_cast<std::size_t>(row)].data));
}

QModelIndex ConfigTreeModel::parent(const QModelIndex& child) const {
  const NodePlace<const TreeNode> place = FindNode(nodes(), nodeAt(child));
  if (!place.node || !place.parent) return {};
  return createIndex(static_cast<int>(place.top), kCaptionColumn, IdOf(place.parent->data));
}

int ConfigTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return static_cast<int>(nodes().size());
  if (parent.column() != kCaptionColumn) return 0;
  const NodePlace<const TreeNode> place = FindNode(nodes(), nodeAt(parent));
  if (!place.node || place.parent) return 0;
  return static_cast<int>(place.node->children.size());
}

int ConfigTreeModel::columnCount(const QModelIndex& /*parent*/) const {
  return isDataTree() ? 2 : 1;
}

QVariant ConfigTreeModel::data(const QModelIndex& index, int role) const {
  const NodePlace<const TreeNode> place = FindNode(nodes(), nodeAt(index));
  if (!place.node) return {};
  // The tables are indexed by node datum; a datum outside them is shown as nothing.
  const int node = place.node->data;
  if (node < 0 || node >= (isDataTree() ? kFieldNodeCount : kEntityNodeCount)) return {};
  const bool top_level = place.parent == nullptr;
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return text(place, column);
    case Qt::CheckStateRole:
      if (column != kCaptionColumn || place.node->check_type != kCheckBox) return {};
      return static_cast<int>(place.node->Checked() ? Qt::Checked : Qt::Unchecked);
    case Qt::ToolTipRole:
      return toolTip(node);
    case Qt::DecorationRole:
      return column == kCaptionColumn && top_level ? icon(place) : QVariant();
    case Qt::FontRole:
      return top_level && place.node->Checked() ? bold_font_ : QVariant();
    case Qt::BackgroundRole:
      return isDataTree() && column == kOptionsColumn ? options_background_ : QVariant();
    default:
      return {};
  }
}

QVariant ConfigTreeModel::text(const NodePlace<const TreeNode>& place, int column) const {
  const auto node = static_cast<std::size_t>(place.node->data);
  if (!isDataTree()) return FromUtf8(EntityCaptions[node]);
  if (column == kCaptionColumn) return FromUtf8(FieldCaptions[node]);
  // A data field's own "Options" cell shows its own entry too, which no editor writes.
  return FromUtf8(model_.record().FieldValues[node].View());
}

QVariant ConfigTreeModel::toolTip(int node) const {
  const auto at = static_cast<std::size_t>(node);
  if (!isDataTree()) return FromUtf8(EntityHints[at]);
  return FromUtf8(FieldHints[at]) + FromUtf8(FieldHintSuffix(node));
}

QVariant ConfigTreeModel::icon(const NodePlace<const TreeNode>& place) const {
  // Entity kinds show the icon of their kind index, which is their place among the kinds.
  const qsizetype number = isDataTree() ? (IsCustomDataField(place.node->data) ? 0 : 1)
                                        : static_cast<qsizetype>(place.top);
  return number < icons_.size() ? icons_[number] : QVariant();
}

bool ConfigTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  const int node = nodeAt(index);
  if (node < 0) return false;
  if (role == Qt::CheckStateRole) {
    if (index.column() != kCaptionColumn) return false;
    const bool on = static_cast<Qt::CheckState>(value.toInt()) == Qt::Checked;
    return model_.SetChecked(tree_, node, on);
  }
  if (role != Qt::EditRole || !isDataTree() || !model_.CanEditCell(node, index.column()))
    return false;
  const QByteArray text = value.toString().toUtf8();
  const TypedValueOutcome outcome = model_.AcceptTypedValue(
      node, std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
  if (outcome.status == TypedValueStatus::kRefused) emit valueRefused(FromUtf8(outcome.refusal));
  return outcome.status == TypedValueStatus::kStored;
}

Qt::ItemFlags ConfigTreeModel::flags(const QModelIndex& index) const {
  const NodePlace<const TreeNode> place = FindNode(nodes(), nodeAt(index));
  if (!place.node) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsSelectable;
  if (!place.node->Has(node_state::kDisabled)) flags |= Qt::ItemIsEnabled;
  if (index.column() == kCaptionColumn && place.node->check_type == kCheckBox)
    flags |= Qt::ItemIsUserCheckable;
  if (isDataTree() && model_.CanEditCell(place.node->data, index.column()))
    flags |= Qt::ItemIsEditable;
  if (place.parent) flags |= Qt::ItemNeverHasChildren;
  return flags;
}

QModelIndex ConfigTreeModel::buddy(const QModelIndex& index) const {
  const QModelIndex options = index.siblingAtColumn(kOptionsColumn);
  if (index.column() == kCaptionColumn && options.isValid() &&
      flags(options).testFlag(Qt::ItemIsEditable))
    return options;
  return index;
}

QVariant ConfigTreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (!isDataTree() || orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kCaptionColumn:
      return QStringLiteral("Data name");
    case kOptionsColumn:
      return QStringLiteral("Options");
    default:
      return {};
  }
}

void ConfigTreeModel::allRowsChanged(int first, int last, const QList<int>& roles,
                                     bool with_options) {
  const int rows = rowCount();
  if (rows == 0) return;
  emit dataChanged(index(0, first), index(rows - 1, last), roles);
  if (!with_options) return;
  for (int row = 0; row < rows; ++row) {
    const QModelIndex top = index(row, kCaptionColumn);
    const int options = rowCount(top);
    if (options > 0) emit dataChanged(index(0, first, top), index(options - 1, last, top), roles);
  }
}

}  // namespace quorvex::ui
