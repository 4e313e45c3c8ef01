#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/config_tree.h"

namespace quorvex {

/// A configuration as its text form says it: the settings a person reads and changes, and how
/// the window shows the trees. Texts are the bytes of their slots.
struct ConfigSettings {
  std::string extension;
  int separator = 0;  // the separator choice 0..5
  std::string separator_other;
  bool header = false;
  std::string blocks;
  std::array<bool, kEntityNodeCount> kinds{};  // checked entity nodes, options included
  /// The data fields in export order, the attribute columns' among them.
  std::vector<int> field_order{kDataFieldNodes.begin(), kDataFieldNodes.end()};
  std::array<bool, kFieldNodeCount> exported{};       // at the data fields
  std::array<std::string, kFieldNodeCount> values{};  // at the option nodes
  ExtendedSettings extended;

  // The window's view of the trees.
  std::array<bool, kEntityNodeCount> kind_expanded{}, kind_disabled{};
  std::array<bool, kFieldNodeCount> field_expanded{}, field_disabled{};
  std::vector<bool> attribute_expanded;  // by attribute column
  int selected_kind = -1;                // entity node, or -1
  int selected_field = -1;               // node of the data tree, or -1
};

/// The stored text slots, in this order: the signature, the extension, the block names, the
/// "Other" separator, then `FieldValues` by field node index.
inline constexpr int kSlotSignature = 0, kSlotExtension = 1, kSlotBlocks = 2,
                     kSlotSeparatorOther = 3, kSlotFieldValues = 4;
inline constexpr int kSlotCount = kSlotFieldValues + kFieldNodeCount;

/// What a node stores besides what the settings say of it; each value replaces the derived one.
struct NodeBytes {
  std::optional<std::uint32_t> height;
  std::optional<std::uint8_t> alignment;
  std::optional<std::uint8_t> check;       // the raw check state
  std::optional<std::uint8_t> check_type;  // 2 check box, 0 none
  std::optional<std::uint16_t> states;     // every state bit

  bool empty() const { return !height && !alignment && !check && !check_type && !states; }
};

/// What a configuration file holds that the settings do not say.
struct StoredBytes {
  /// A slot's visible bytes in place of the settings' text (or of "QRV300" for the signature,
  /// and of nothing for the slots no setting names).
  std::array<std::optional<std::string>, kSlotCount> texts;
  /// The bytes behind each slot's visible text, up to its last byte that is not zero.
  std::array<std::string, kSlotCount> tails;
  std::optional<std::int32_t> separator_index;  // outside 0..5
  std::optional<std::uint8_t> header;           // neither 0 nor 1
  /// The record's check bytes when they differ from the trees' check states.
  std::optional<std::array<std::uint8_t, kEntityNodeCount>> entity_checks;
  std::optional<std::array<std::uint8_t, kFieldNodeCount>> field_checks;
  std::array<NodeBytes, kEntityNodeCount> kind_nodes;
  std::array<NodeBytes, kFieldNodeCount> field_nodes;
};

/// The disabled states that the trees' check rules give: every option of an unchecked kind or
/// field.
std::array<bool, kEntityNodeCount> RuleDisabledKinds(const ConfigSettings& settings);
std::array<bool, kFieldNodeCount> RuleDisabledFields(const ConfigSettings& settings);

/// The settings of `content` (signature and the slots of the data fields themselves left out).
ConfigSettings SettingsOf(const ConfigContent& content);

/// The configuration that `settings` and `stored` describe, built anew: signature "QRV300",
/// every byte a setting does not name zero, every node as first built but for its check state
/// and what the window's view says, then `stored` applied. Texts longer than their slot are cut.
ConfigContent ContentOf(const ConfigSettings& settings, const StoredBytes& stored);

/// What `ContentOf(settings, {})` misses of `content`; with it, ContentOf gives `content` back
/// byte for byte when `settings` came from SettingsOf(content).
StoredBytes StoredBytesOf(const ConfigContent& content, const ConfigSettings& settings);

}  // namespace quorvex
