#pragma once

#include "config/config_tree.h"

namespace quorvex {

/// What the configuration rules tell the window. The rules change only the model; whatever they
/// ask of the screen (keyboard focus, an editor opening, views to redraw) arrives here, and a
/// window without the control in question simply ignores the call.
class ConfigObserver {
 public:
  virtual ~ConfigObserver() = default;
  /// A node's check state, disabled mark, expansion or selection changed.
  virtual void NodeChanged(ConfigTreeId /*tree*/, int /*node*/) {}
  /// A tree's nodes are about to be replaced or reordered; `TreeReset` follows.
  virtual void TreeAboutToReset(ConfigTreeId /*tree*/) {}
  /// A tree's nodes were replaced (a load) or reordered (a data field moved).
  virtual void TreeReset(ConfigTreeId /*tree*/) {}
  /// The record was replaced as a whole: every editor shows it again.
  virtual void RecordReplaced() {}
  /// The enabled state of the block-name edit, the move buttons or the separator edit changed.
  virtual void ControlsChanged() {}
  /// The keyboard focus belongs in the block-name edit.
  virtual void FocusBlockNameEdit() {}
  /// The keyboard focus belongs in the separator edit, when its page is showing.
  virtual void FocusSeparatorEdit() {}
  /// The "Options" cell of this option node opens for editing.
  virtual void EditValue(int /*field_node*/) {}
};

}  // namespace quorvex
