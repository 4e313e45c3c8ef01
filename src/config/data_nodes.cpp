#include "config/data_nodes.h"

#include <algorithm>

namespace quorvex {
namespace {

TreeNode OptionNode(int data, bool disabled) {
  TreeNode node;
  node.data = data;
  node.Set(node_state::kDisabled, disabled);
  return node;
}

void SetChecked(TreeNode& field, bool checked) {
  field.check_state = checked ? kChecked : kUnchecked;
  for (TreeNode& option : field.children)
    option.Set(node_state::kDisabled, !checked);
}

}  // namespace

TreeNode AttributeColumnNode(std::size_t column, bool exported) {
  TreeNode field;
  field.data = AttributeFieldNode(column);
  field.check_type = kCheckBox;
  field.Set(node_state::kHasChildren, true);
  field.children = {OptionNode(field.data + 1, false),
                    OptionNode(CaptionNodeOf(field.data), false)};
  SetChecked(field, exported);
  return field;
}

TreeNodes RecordNodes(const TreeNodes& data_tree) {
  TreeNodes record;
  for (const TreeNode& field : data_tree) {
    if (!IsRecordNode(field.data)) continue;
    TreeNode& kept = record.emplace_back(field);
    std::erase_if(kept.children, [](const TreeNode& option) { return !IsRecordNode(option.data); });
  }
  return record;
}

void CompleteDataTree(TreeNodes& data_tree, const std::vector<AttributeColumn>& attributes) {
  std::erase_if(data_tree, [&](const TreeNode& field) {
    return IsAttributeNode(field.data) && AttributeColumnOf(field.data) >= attributes.size();
  });
  std::vector<bool> present(attributes.size());
  for (TreeNode& field : data_tree) {
    if (IsAttributeNode(field.data)) {
      const std::size_t column = AttributeColumnOf(field.data);
      present[column] = true;
      if (field.Checked() != attributes[column].exported)
        SetChecked(field, attributes[column].exported);
      continue;
    }
    const int caption = CaptionNodeOf(field.data);
    const bool has_caption =
        std::any_of(field.children.begin(), field.children.end(),
                    [&](const TreeNode& option) { return option.data == caption; });
    // The new option takes the state that the field's other options have.
    const bool disabled =
        !field.children.empty() && field.children.front().Has(node_state::kDisabled);
    if (!has_caption) field.children.push_back(OptionNode(caption, disabled));
  }
  for (std::size_t column = 0; column < attributes.size(); ++column)
    if (!present[column])
      data_tree.push_back(AttributeColumnNode(column, attributes[column].exported));
}

void RemoveAttributeNodes(TreeNodes& data_tree, std::size_t column) {
  const int removed = AttributeFieldNode(column);
  std::erase_if(data_tree, [&](const TreeNode& field) { return field.data == removed; });
  for (TreeNode& field : data_tree) {
    if (!IsAttributeNode(field.data) || field.data < removed) continue;
    field.data -= kAttributeNodeStride;
    for (TreeNode& option : field.children)
      option.data -= kAttributeNodeStride;
  }
}

}  // namespace quorvex
