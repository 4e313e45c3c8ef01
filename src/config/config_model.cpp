#include "config/config_model.h"

#include <algorithm>
#include <string>
#include <utility>

#include "config/data_nodes.h"
#include "config/run_tables.h"
#include "config/typed_value.h"
#include "engine/text_util.h"

namespace quorvex {
namespace {

ConfigObserver& NoObserver() {
  static ConfigObserver none;
  return none;
}

// The nodes of a tree in tree order: each top-level node followed by its option nodes.
std::vector<int> TreeOrder(const TreeNodes& nodes) {
  std::vector<int> order;
  for (const TreeNode& top : nodes) {
    order.push_back(top.data);
    for (const TreeNode& child : top.children)
      order.push_back(child.data);
  }
  return order;
}

bool TakesFirstOption(int entity_node) {
  return entity_node == entity_node::kArcs || entity_node == entity_node::kLines ||
         entity_node == entity_node::kSplines || entity_node == entity_node::kFaces;
}

}  // namespace

ConfigModel::ConfigModel()
    : content_{TExportConfig{}, BuildConfigTrees(), {}}, observer_(&NoObserver()) {}

void ConfigModel::SetObserver(ConfigObserver* observer) {
  observer_ = observer ? observer : &NoObserver();
}

const TreeNodes& ConfigModel::tree(ConfigTreeId id) const {
  return id == ConfigTreeId::kEntity ? content_.trees.entity : content_.trees.data;
}

TreeNodes& ConfigModel::nodes(ConfigTreeId id) {
  return id == ConfigTreeId::kEntity ? content_.trees.entity : content_.trees.data;
}

int ConfigModel::SelectedNode(ConfigTreeId id) const {
  for (const int data : TreeOrder(tree(id)))
    if (FindNode(tree(id), data).node->Has(node_state::kSelected)) return data;
  return -1;
}

// --- Editors ---
// The texts are copied before they are stored: the loader hands in views of the record itself.

void ConfigModel::SetDataFileExtension(std::string_view text) {
  content_.record.DataFileExtension.Assign(std::string(text));
}

void ConfigModel::SetBlockNames(std::string_view text) {
  content_.record.BlockNames.Assign(std::string(Trimmed(text)));
}

void ConfigModel::SetSeparatorText(std::string_view text) {
  content_.record.SeparatorText.Assign(std::string(text));
}

void ConfigModel::SetSeparatorIndex(int item) {
  constexpr int kOther = 5;
  if (item < 0 || item > kOther) item = 0;
  controls_.separator_edit_enabled = item == kOther;
  observer_->ControlsChanged();
  if (item == kOther) observer_->FocusSeparatorEdit();
  content_.record.SeparatorIndex = item;
}

void ConfigModel::SetIncludeHeader(bool on) {
  content_.record.IncludeHeader = on ? 1 : 0;
}

void ConfigModel::SetSignature(std::string_view text) {
  content_.record.Signature.Assign(text);
}

void ConfigModel::SetExtended(const ExtendedSettings& extended) {
  content_.extended = extended;
  TreeNodes data_tree = content_.trees.data;
  CompleteDataTree(data_tree, content_.extended.attributes);
  if (data_tree != content_.trees.data) ReplaceDataTree(std::move(data_tree));
  if (SelectedNode(ConfigTreeId::kData) < 0 && !content_.trees.data.empty())
    FocusDataNode(content_.trees.data.front().data);
}

// --- Checks ---

bool ConfigModel::SetChecked(ConfigTreeId id, int node, bool on) {
  const NodePlace<TreeNode> place = FindNode(nodes(id), node);
  if (!place.node || place.node->check_type == kNoCheckBox ||
      place.node->Has(node_state::kDisabled))
    return false;
  return ChangeCheck(id, node, on);
}

// Every actual change of a check state passes here, whatever asked for it.
bool ConfigModel::ChangeCheck(ConfigTreeId id, int node, bool on) {
  const NodePlace<TreeNode> place = FindNode(nodes(id), node);
  const std::uint8_t state = on ? kChecked : kUnchecked;
  if (!place.node || place.node->check_state == state) return false;
  place.node->check_state = state;
  observer_->NodeChanged(id, node);
  if (id == ConfigTreeId::kEntity)
    EntityCheckRule(*place.node);
  else
    DataCheckRule(*place.node, place.parent == nullptr);
  return true;
}

void ConfigModel::EntityCheckRule(TreeNode& node) {
  const bool on = node.Checked();
  content_.record.EntityChecks[node.data] = on ? 1 : 0;
  FocusEntityNode(node.data);
  if (node.data == entity_node::kBlocks) {
    SetBlockNamesEnabled(on);
    if (on) observer_->FocusBlockNameEdit();
  }
  for (TreeNode& option : node.children) {
    option.Set(node_state::kDisabled, !on);
    observer_->NodeChanged(ConfigTreeId::kEntity, option.data);
  }
  if (TakesFirstOption(node.data)) CheckFirstOption(node.data);
}

void ConfigModel::CheckFirstOption(int node) {
  const NodePlace<TreeNode> place = FindNode(content_.trees.entity, node);
  if (!place.node || !place.node->Checked() || place.node->children.empty()) return;
  for (const TreeNode& option : place.node->children)
    if (option.Checked()) return;
  const int first = place.node->children.front().data;
  ChangeCheck(ConfigTreeId::kEntity, first, true);
  content_.record.EntityChecks[first] = 1;
}

void ConfigModel::DataCheckRule(TreeNode& node, bool top_level) {
  if (!top_level) return;
  const bool on = node.Checked();
  if (IsAttributeNode(node.data))
    content_.extended.attributes[AttributeColumnOf(node.data)].exported = on;
  else
    content_.record.FieldChecks[node.data] = on ? 1 : 0;
  for (TreeNode& option : node.children) {
    option.Set(node_state::kDisabled, !on);
    observer_->NodeChanged(ConfigTreeId::kData, option.data);
  }
}

void ConfigModel::SetAllChecks(ConfigTreeId id, bool on) {
  // The order is taken first: the check rules change states, never the order.
  for (const int data : TreeOrder(tree(id))) {
    if (FindNode(nodes(id), data).node->Has(node_state::kDisabled)) continue;
    ChangeCheck(id, data, on);
  }
}

// --- Focus and selection ---

void ConfigModel::Select(ConfigTreeId id, int node) {
  const int previous = SelectedNode(id);
  if (previous >= 0) {
    FindNode(nodes(id), previous).node->Set(node_state::kSelected, false);
    observer_->NodeChanged(id, previous);
  }
  FindNode(nodes(id), node).node->Set(node_state::kSelected, true);
  observer_->NodeChanged(id, node);
}

void ConfigModel::SetBlockNamesEnabled(bool on) {
  controls_.block_names_enabled = on;
  observer_->ControlsChanged();
}

void ConfigModel::FocusEntityNode(int node) {
  if (!FindNode(content_.trees.entity, node).node || SelectedNode(ConfigTreeId::kEntity) == node)
    return;
  Select(ConfigTreeId::kEntity, node);
  const bool usable =
      node == entity_node::kBlocks && content_.record.EntityChecks[entity_node::kBlocks] == 1;
  SetBlockNamesEnabled(usable);
  if (usable) observer_->FocusBlockNameEdit();
}

void ConfigModel::FocusDataNode(int field_node) {
  if (!FindNode(content_.trees.data, field_node).node ||
      SelectedNode(ConfigTreeId::kData) == field_node)
    return;
  Select(ConfigTreeId::kData, field_node);
  DataFocusRule();
}

void ConfigModel::DataFocusRule() {
  const int focused = SelectedNode(ConfigTreeId::kData);
  const NodePlace<TreeNode> place = FindNode(content_.trees.data, focused);
  const bool field = place.node && !place.parent;
  controls_.move_up_enabled = field && place.top > 0;
  controls_.move_down_enabled = field && place.top + 1 < content_.trees.data.size();
  observer_->ControlsChanged();
  if (CanEditCell(focused, 1)) observer_->EditValue(focused);
}

void ConfigModel::ClickDataTree() {
  const int focused = SelectedNode(ConfigTreeId::kData);
  if (CanEditCell(focused, 1)) observer_->EditValue(focused);
}

bool ConfigModel::CanEditCell(int field_node, int column) const {
  const NodePlace<const TreeNode> place = FindNode(content_.trees.data, field_node);
  return column == 1 && place.node && place.parent;
}

TypedValueOutcome ConfigModel::AcceptTypedValue(int field_node, std::string_view text) {
  if (config_loading_ || !CanEditCell(field_node, 1)) return {};
  TypedValueCheck check = CheckTypedValue(field_node, text);
  if (!check.accepted) return {TypedValueStatus::kRefused, check.refusal};
  StoreOptionValue(field_node, std::move(check.value));
  observer_->NodeChanged(ConfigTreeId::kData, field_node);
  return {TypedValueStatus::kStored, {}};
}

void ConfigModel::StoreOptionValue(int field_node, std::string value) {
  ExtendedSettings& extended = content_.extended;
  if (IsRecordNode(field_node)) {
    content_.record.FieldValues[field_node].Assign(value);
  } else if (!IsAttributeNode(field_node)) {
    extended.captions[DataFieldPlace(FieldOfCaptionNode(field_node))] = std::move(value);
  } else if (IsCaptionNode(field_node)) {
    extended.attributes[AttributeColumnOf(field_node)].caption = std::move(value);
  } else {
    extended.attributes[AttributeColumnOf(field_node)].prefix = std::move(value);
  }
}

bool ConfigModel::MoveField(int step) {
  TreeNodes& fields = content_.trees.data;
  const NodePlace<TreeNode> place = FindNode(fields, SelectedNode(ConfigTreeId::kData));
  if (!place.node || place.parent) return false;
  const std::size_t target = place.top + static_cast<std::size_t>(step);
  if (target >= fields.size()) return false;  // also catches the step before the first field
  observer_->TreeAboutToReset(ConfigTreeId::kData);
  std::swap(fields[place.top], fields[target]);
  observer_->TreeReset(ConfigTreeId::kData);
  DataFocusRule();
  return true;
}

int ConfigModel::AddAttributeColumn(std::string_view tag) {
  const std::string_view trimmed = Trimmed(tag);
  if (trimmed.empty()) return -1;
  std::vector<AttributeColumn>& columns = content_.extended.attributes;
  std::size_t column = 0;
  while (column < columns.size() && !SameTag(columns[column].tag, trimmed))
    ++column;
  if (column == columns.size()) {
    columns.push_back({std::string(trimmed), {}, {}, true});
    TreeNodes data_tree = content_.trees.data;
    data_tree.push_back(AttributeColumnNode(column, true));
    ReplaceDataTree(std::move(data_tree));
  }
  const int field = AttributeFieldNode(column);
  FocusDataNode(field);
  return field;
}

bool ConfigModel::RemoveAttributeColumn(int field_node) {
  const NodePlace<TreeNode> place = FindNode(content_.trees.data, field_node);
  if (!place.node || !IsAttributeNode(field_node)) return false;
  const std::size_t column = AttributeColumnOf(field_node);
  content_.extended.attributes.erase(content_.extended.attributes.begin() +
                                     static_cast<std::ptrdiff_t>(column));
  TreeNodes data_tree = content_.trees.data;
  RemoveAttributeNodes(data_tree, column);
  ReplaceDataTree(std::move(data_tree));
  const TreeNodes& fields = content_.trees.data;
  if (!fields.empty()) FocusDataNode(fields[std::min(place.top, fields.size() - 1)].data);
  return true;
}

// Every change of the data tree's structure passes here: the window's view is reset around it.
void ConfigModel::ReplaceDataTree(TreeNodes data_tree) {
  observer_->TreeAboutToReset(ConfigTreeId::kData);
  content_.trees.data = std::move(data_tree);
  observer_->TreeReset(ConfigTreeId::kData);
}

bool ConfigModel::MoveFieldUp() {
  return MoveField(-1);
}

bool ConfigModel::MoveFieldDown() {
  return MoveField(1);
}

// --- Expansion ---

void ConfigModel::SetAllExpanded(ConfigTreeId id, bool on) {
  for (const int data : TreeOrder(tree(id))) {
    TreeNode& node = *FindNode(nodes(id), data).node;
    const bool expanded = on ? (node.Has(node_state::kExpanded) || !node.children.empty()) : false;
    if (expanded == node.Has(node_state::kExpanded)) continue;
    node.Set(node_state::kExpanded, expanded);
    observer_->NodeChanged(id, data);
  }
}

bool ConfigModel::SetExpanded(ConfigTreeId id, int node, bool on) {
  TreeNode* found = FindNode(nodes(id), node).node;
  if (!found || (on && found->children.empty()) || found->Has(node_state::kExpanded) == on)
    return false;
  found->Set(node_state::kExpanded, on);
  observer_->NodeChanged(id, node);
  return true;
}

RunTables ConfigModel::CollectRunTables() const {
  return quorvex::CollectRunTables(content_.trees);
}

// --- Loading and saving ---

void ConfigModel::ReplaceContent(const ConfigContent& content) {
  for (const ConfigTreeId id : {ConfigTreeId::kEntity, ConfigTreeId::kData})
    observer_->TreeAboutToReset(id);
  content_ = content;
  CompleteDataTree(content_.trees.data, content_.extended.attributes);
  for (const ConfigTreeId id : {ConfigTreeId::kEntity, ConfigTreeId::kData}) {
    for (const int data : TreeOrder(tree(id)))
      FindNode(nodes(id), data).node->Set(node_state::kSelected, false);
    observer_->TreeReset(id);
  }
  // The editors show the record, and their change rules write it back.
  const TExportConfig& record = content_.record;
  SetBlockNames(record.BlockNames.View());
  SetSeparatorText(record.SeparatorText.View());
  SetIncludeHeader(record.IncludeHeader != 0);
  SetDataFileExtension(record.DataFileExtension.View());
  SetSeparatorIndex(record.SeparatorIndex);
  observer_->RecordReplaced();
  if (!content_.trees.entity.empty()) FocusEntityNode(content_.trees.entity.front().data);
  if (!content_.trees.data.empty()) FocusDataNode(content_.trees.data.front().data);
}

void ConfigModel::LoadContent(const ConfigContent& content) {
  config_loading_ = true;
  ReplaceContent(content);
  config_loading_ = false;
}

void ConfigModel::PrepareToSave() {
  SetSignature("QRV300");
  for (const ConfigTreeId id : {ConfigTreeId::kEntity, ConfigTreeId::kData}) {
    for (const int data : TreeOrder(tree(id))) {
      TreeNode& node = *FindNode(nodes(id), data).node;
      if (node.Has(node_state::kInitialized)) continue;
      node.Set(node_state::kInitialized, true);
      if (id == ConfigTreeId::kEntity) node.check_type = kCheckBox;
    }
  }
}

}  // namespace quorvex
