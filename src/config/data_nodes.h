#pragma once

#include <cstddef>
#include <vector>

#include "config/config_tree.h"
#include "engine/attribute_columns.h"
#include "engine/export_config.h"

namespace quorvex {

// Besides the record's 32 nodes, which a .qrv file keeps, the data tree holds nodes that only
// the TOML form keeps: a "Caption :" option under every data field, and the attribute columns,
// data fields with a "Prefix :" and a "Caption :" option (engine/attribute_columns.h numbers
// them). A .qrv file is written from the record's nodes alone, and a tree read from one is
// completed with the others.

/// True for the 32 nodes of the record, which a .qrv file keeps.
constexpr bool IsRecordNode(int node) {
  return node >= 0 && node < kFieldNodeCount;
}

/// The "Caption :" option of the data field `field`: kFieldNodeCount + `field` for a field of
/// the record, the index after its prefix for an attribute column.
constexpr int CaptionNodeOf(int field) {
  return IsAttributeNode(field) ? field + 2 : kFieldNodeCount + field;
}
constexpr bool IsCaptionNode(int node) {
  return IsAttributeNode(node) ? (node - kAttributeFieldBase) % kAttributeNodeStride == 2
                               : node >= kFieldNodeCount && node < kAttributeFieldBase;
}
/// The data field whose caption option `caption_node` is.
constexpr int FieldOfCaptionNode(int caption_node) {
  return IsAttributeNode(caption_node) ? caption_node - 2 : caption_node - kFieldNodeCount;
}

/// The node of attribute column `column`: a data field, checked when `exported`, with its
/// prefix and caption options, disabled when it is not.
TreeNode AttributeColumnNode(std::size_t column, bool exported);

/// The data tree as a .qrv file keeps it: the record's nodes alone.
TreeNodes RecordNodes(const TreeNodes& data_tree);

/// Makes the data tree hold the nodes that `attributes` and the record's data fields ask for: a
/// caption option last under each record data field that has none; the node of each attribute
/// column, added after the last data field when missing, its check state that of `exported`;
/// no node of a column beyond `attributes`. A caption option added is disabled when the field's
/// other options are; the options of an attribute column whose check state this changes follow
/// the check rule.
void CompleteDataTree(TreeNodes& data_tree, const std::vector<AttributeColumn>& attributes);

/// Takes attribute column `column` out of the data tree: its nodes go, and those of the later
/// columns take the field node indexes of the column before them.
void RemoveAttributeNodes(TreeNodes& data_tree, std::size_t column);

}  // namespace quorvex
