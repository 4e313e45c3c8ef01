#pragma once

#include <string_view>
#include <vector>

#include "config/config_observer.h"
#include "config/config_tree.h"
#include "engine/export_config.h"

namespace quorvex {

/// Which controls around the trees are usable; the window mirrors these.
struct ControlStates {
  bool block_names_enabled = false;     // the block-name edit and its label
  bool move_up_enabled = false;         // "Move item up"
  bool move_down_enabled = false;       // "Move item down"
  bool separator_edit_enabled = false;  // the "Other" separator edit
};

enum class TypedValueStatus { kStored, kRefused, kIgnored };

struct TypedValueOutcome {
  TypedValueStatus status = TypedValueStatus::kIgnored;
  std::string_view refusal;  // for kRefused: the message to show with the error icon
};

/// The current export configuration with its two trees, and every rule that changes them. The
/// window binds its views to this model and forwards each user action to one of its functions;
/// the batch run and the command line read the record and `CollectRunTables`.
///
/// Nodes are named by their node data: entity node index in the entity tree, field node index
/// in the data tree. Each tree has at most one selected node, which is also the focused one.
class ConfigModel {
 public:
  /// A zero-filled record and the trees as first built.
  ConfigModel();

  /// Receives what the rules ask of the window; null for none.
  void SetObserver(ConfigObserver* observer);

  const TExportConfig& record() const { return content_.record; }
  const ExtendedSettings& extended() const { return content_.extended; }
  const ConfigTrees& trees() const { return content_.trees; }
  const ConfigContent& content() const { return content_; }
  const TreeNodes& tree(ConfigTreeId id) const;
  const ControlStates& controls() const { return controls_; }
  /// The selected (and focused) node of the tree, or -1.
  int SelectedNode(ConfigTreeId id) const;

  /// Set while a configuration file replaces the record and the trees; the typed-value rule
  /// ignores every text meanwhile.
  bool ConfigLoading() const { return config_loading_; }
  void SetConfigLoading(bool on) { config_loading_ = on; }

  // --- Editors: each writes its field at every change of its control. Texts are UTF-8, cut at
  // the field's capacity without splitting a character.

  /// The first 10 bytes of the extension box, untrimmed.
  void SetDataFileExtension(std::string_view text);
  /// The block-name box trimmed at both ends.
  void SetBlockNames(std::string_view text);
  /// The "Other" separator box as typed, whatever the separator choice.
  void SetSeparatorText(std::string_view text);
  /// The separator choice: enables the separator edit for "Other" (5), asking for the keyboard
  /// focus there, and stores the item. An item outside 0..5 selects the first entry.
  void SetSeparatorIndex(int item);
  void SetIncludeHeader(bool on);
  void SetSignature(std::string_view text);
  /// The settings beyond the record. The data tree follows their attribute columns
  /// (CompleteDataTree); when a node it loses was focused, the first node takes the focus.
  void SetExtended(const ExtendedSettings& extended);

  // --- Entity tree.

  /// Checks the first option of a checked kind node none of whose options is checked.
  void CheckFirstOption(int node);
  /// Selects and focuses the node; the block-name edit is usable only on a checked "Blocks".
  void FocusEntityNode(int node);

  // --- Data tree.

  /// Selects and focuses the node (also what a mouse press does); sets the move buttons and opens
  /// the editor of an option node.
  void FocusDataNode(int field_node);
  /// A click in the data tree opens the editor of the focused option node.
  void ClickDataTree();
  /// Only the "Options" column (1) of an option node can be edited.
  bool CanEditCell(int field_node, int column) const;
  /// The typed-value rule: the text accepted for an option node is stored in `FieldValues`, or
  /// for the nodes beyond the record's in the settings beyond it.
  TypedValueOutcome AcceptTypedValue(int field_node, std::string_view text);
  /// Moves the focused data field, with its option nodes, before the previous one or after the
  /// next one; false when no data field has the focus or it is already at that end.
  bool MoveFieldUp();
  bool MoveFieldDown();
  /// Adds an attribute column for `tag`, trimmed, after the last data field, checked, and
  /// focuses it; a tag that a column has already (SameTag) focuses that column instead. Returns
  /// the column's field node, or -1 for an empty tag.
  int AddAttributeColumn(std::string_view tag);
  /// Removes the attribute column of `field_node`, its data field or one of its options; the
  /// data field that takes its place, or else the last one, takes the focus. False for a node
  /// of no attribute column.
  bool RemoveAttributeColumn(int field_node);

  // --- Both trees.

  /// A click on the node's check box (the data tree's option nodes have none). Runs the tree's
  /// check rule when the state changes; false when nothing changed (disabled node, no check box,
  /// same state).
  bool SetChecked(ConfigTreeId id, int node, bool on);

  /// Select All / Select None: asks every node in tree order to take the state; disabled nodes
  /// and nodes already in it are skipped, every actual change runs the tree's check rule.
  void SetAllChecks(ConfigTreeId id, bool on);
  /// Expand All / Collapse All.
  void SetAllExpanded(ConfigTreeId id, bool on);
  /// Expands or collapses one node; only a node with option nodes can be expanded.
  bool SetExpanded(ConfigTreeId id, int node, bool on);

  /// The run tables from the trees as they stand.
  RunTables CollectRunTables() const;

  // --- For the configuration loader and saver.

  /// Replaces the record and the trees, then shows the record in the editors (whose change rules
  /// write it back, block names trimmed) and focuses the first node of each tree. No check rule
  /// runs and the stored selection is dropped.
  void ReplaceContent(const ConfigContent& content);
  /// Puts a configuration read from a file in the model as loading it does: `ReplaceContent`
  /// while `ConfigLoading` is set.
  void LoadContent(const ConfigContent& content);
  /// What every save does first, in either form: the record takes the signature "QRV300", and
  /// every node is marked initialised, which gives each entity node its check box.
  void PrepareToSave();

 private:
  TreeNodes& nodes(ConfigTreeId id);
  bool ChangeCheck(ConfigTreeId id, int node, bool on);
  void EntityCheckRule(TreeNode& node);
  void DataCheckRule(TreeNode& node, bool top_level);
  void Select(ConfigTreeId id, int node);
  void DataFocusRule();
  void StoreOptionValue(int field_node, std::string value);
  void ReplaceDataTree(TreeNodes data_tree);
  void SetBlockNamesEnabled(bool on);
  bool MoveField(int step);

  ConfigContent content_;
  ControlStates controls_;
  bool config_loading_ = false;
  ConfigObserver* observer_;
};

}  // namespace quorvex
