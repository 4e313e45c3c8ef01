#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/export_config.h"
#include "engine/extended_settings.h"

namespace quorvex {

/// State bits of a tree node, as configuration files store them.
namespace node_state {
inline constexpr std::uint16_t kInitialized = 0x0001;
inline constexpr std::uint16_t kDisabled = 0x0008;
inline constexpr std::uint16_t kExpanded = 0x0020;
inline constexpr std::uint16_t kHasChildren = 0x0040;
inline constexpr std::uint16_t kVisible = 0x0080;
inline constexpr std::uint16_t kSelected = 0x0100;
/// Every bit a configuration file may carry; others are dropped on loading.
inline constexpr std::uint16_t kStored =
    kInitialized | kDisabled | kExpanded | kHasChildren | kVisible | kSelected;
}  // namespace node_state

/// Check states: only kChecked counts as checked; the pressed and mixed states a file may hold
/// are kept as they are and count as unchecked.
inline constexpr std::uint8_t kUnchecked = 0;
inline constexpr std::uint8_t kChecked = 2;
/// Check types.
inline constexpr std::uint8_t kNoCheckBox = 0;
inline constexpr std::uint8_t kCheckBox = 2;

inline constexpr std::uint32_t kNodeHeight = 18;
inline constexpr std::uint8_t kNodeAlignment = 50;

/// One node of a configuration tree. `data` is the node's entity node index (entity tree) or field
/// node index (data tree); everything the node shows and writes is looked up through it.
struct TreeNode {
  std::int32_t data = 0;
  std::uint32_t height = kNodeHeight;
  std::uint16_t states = node_state::kInitialized | node_state::kVisible;
  std::uint8_t alignment = kNodeAlignment;
  std::uint8_t check_state = kUnchecked;
  std::uint8_t check_type = kNoCheckBox;
  std::vector<TreeNode> children;  // the option nodes, which have none of their own

  bool Checked() const { return check_state == kChecked; }
  bool Has(std::uint16_t bit) const { return (states & bit) != 0; }
  void Set(std::uint16_t bit, bool on) {
    states = static_cast<std::uint16_t>(on ? states | bit : states & ~bit);
  }

  friend bool operator==(const TreeNode&, const TreeNode&) = default;
};

/// The top-level nodes of a tree, in display order.
using TreeNodes = std::vector<TreeNode>;

/// Both configuration trees. The entity tree always holds its 25 nodes in the fixed order; the
/// data tree holds its data fields in export order, each with its option nodes in fixed order:
/// the record's 12, and the nodes that only the TOML form keeps (config/data_nodes.h).
struct ConfigTrees {
  TreeNodes entity;
  TreeNodes data;

  friend bool operator==(const ConfigTrees&, const ConfigTrees&) = default;
};

/// A configuration: the record and both trees, which a .qrv file holds, and the settings beyond
/// the record, which only the TOML form keeps.
struct ConfigContent {
  TExportConfig record{};
  ConfigTrees trees;
  ExtendedSettings extended;
};

enum class ConfigTreeId { kEntity, kData };

/// Both trees as first built: every node unchecked, enabled and collapsed; entity nodes and data
/// fields with a check box, data option nodes without one; the record's data fields in table
/// order, each with its caption option last, and no attribute column.
ConfigTrees BuildConfigTrees();

/// Where a node sits: the node, its parent (null for a top-level node) and the position of its
/// top-level node. `node` is null when no node carries the data.
template <typename Node>
struct NodePlace {
  Node* node = nullptr;
  Node* parent = nullptr;
  std::size_t top = 0;
};
NodePlace<TreeNode> FindNode(TreeNodes& nodes, int data);
NodePlace<const TreeNode> FindNode(const TreeNodes& nodes, int data);

/// True when the entity tree has the fixed structure, each node's data being its position.
bool HasEntityTreeShape(const TreeNodes& nodes);
/// True when the data tree holds each data field of the record once, with its own option nodes
/// in fixed order, and nothing else: the shape of a .qrv file's data tree.
bool HasDataTreeShape(const TreeNodes& nodes);

}  // namespace quorvex
