#include "config/config_tree.h"

#include <algorithm>
#include <array>

#include "config/data_nodes.h"
#include "config/tree_tables.h"

namespace quorvex {
namespace {

TreeNode MakeNode(int data, int option_count, std::uint8_t check_type) {
  TreeNode node;
  node.data = data;
  node.check_type = check_type;
  node.Set(node_state::kHasChildren, option_count > 0);
  return node;
}

template <std::size_t N>
TreeNodes BuildTree(const std::array<int, N>& child_counts, bool options_have_check_box) {
  TreeNodes nodes;
  for (std::size_t i = 0; i < N; ++i) {
    const int n = child_counts[i];
    if (n == 0) continue;
    TreeNode top = MakeNode(static_cast<int>(i), n - 1, kCheckBox);
    for (int k = 1; k < n; ++k)
      top.children.push_back(
          MakeNode(static_cast<int>(i) + k, 0, options_have_check_box ? kCheckBox : kNoCheckBox));
    nodes.push_back(std::move(top));
  }
  return nodes;
}

template <typename Nodes, typename Node>
NodePlace<Node> Find(Nodes& nodes, int data) {
  for (std::size_t top = 0; top < nodes.size(); ++top) {
    Node& node = nodes[top];
    if (node.data == data) return {&node, nullptr, top};
    for (Node& child : node.children)
      if (child.data == data) return {&child, &node, top};
  }
  return {};
}

// The option nodes of `top` are the nodes that follow it in the table, and have none of their own.
template <std::size_t N>
bool HasOwnOptions(const TreeNode& top, const std::array<int, N>& child_counts) {
  const int k = top.data;
  if (k < 0 || k >= static_cast<int>(N) || child_counts[k] == 0) return false;
  if (top.children.size() != static_cast<std::size_t>(child_counts[k] - 1)) return false;
  for (std::size_t j = 0; j < top.children.size(); ++j) {
    const TreeNode& child = top.children[j];
    if (child.data != k + 1 + static_cast<int>(j) || !child.children.empty()) return false;
  }
  return true;
}

}  // namespace

ConfigTrees BuildConfigTrees() {
  ConfigTrees trees{BuildTree(EntityChildCounts, true), BuildTree(FieldChildCounts, false)};
  CompleteDataTree(trees.data, {});
  return trees;
}

NodePlace<TreeNode> FindNode(TreeNodes& nodes, int data) {
  return Find<TreeNodes, TreeNode>(nodes, data);
}

NodePlace<const TreeNode> FindNode(const TreeNodes& nodes, int data) {
  return Find<const TreeNodes, const TreeNode>(nodes, data);
}

bool HasEntityTreeShape(const TreeNodes& nodes) {
  if (nodes.size() != kEntityKindNodes.size()) return false;
  for (std::size_t i = 0; i < nodes.size(); ++i)
    if (nodes[i].data != kEntityKindNodes[i] || !HasOwnOptions(nodes[i], EntityChildCounts))
      return false;
  return true;
}

bool HasDataTreeShape(const TreeNodes& nodes) {
  if (nodes.size() != kDataFieldNodes.size()) return false;
  std::array<bool, kFieldNodeCount> seen{};
  for (const TreeNode& node : nodes) {
    if (!HasOwnOptions(node, FieldChildCounts) || seen[node.data]) return false;
    seen[node.data] = true;
  }
  return true;
}

}  // namespace quorvex
