#include "config/config_settings.h"

#include <algorithm>

#include "config/config_words.h"
#include "config/data_nodes.h"

namespace quorvex {
namespace {

constexpr std::string_view kSignature = "QRV300";

template <std::size_t N>
ShortString<N>& SlotOf(TExportConfig& record, int slot) {
  if constexpr (N == 6) {
    return record.Signature;
  } else if constexpr (N == 10) {
    return record.DataFileExtension;
  } else {
    if (slot == kSlotBlocks) return record.BlockNames;
    if (slot == kSlotSeparatorOther) return record.SeparatorText;
    return record.FieldValues[static_cast<std::size_t>(slot - kSlotFieldValues)];
  }
}

// Calls `visit(slot, short_string)` for every text slot of the record.
template <typename Record, typename Visit>
void ForEachSlot(Record& record, Visit visit) {
  visit(kSlotSignature, record.Signature);
  visit(kSlotExtension, record.DataFileExtension);
  visit(kSlotBlocks, record.BlockNames);
  visit(kSlotSeparatorOther, record.SeparatorText);
  for (int node = 0; node < kFieldNodeCount; ++node)
    visit(kSlotFieldValues + node, record.FieldValues[static_cast<std::size_t>(node)]);
}

template <std::size_t N>
void Fill(ShortString<N>& slot, std::string_view text, std::string_view tail) {
  slot = ShortString<N>{};
  const std::size_t n = std::min(text.size(), N);
  std::copy_n(text.begin(), n, slot.chars.begin());
  slot.length = static_cast<std::uint8_t>(n);
  std::copy_n(tail.begin(), std::min(tail.size(), N - n), slot.chars.begin() + n);
}

template <std::size_t N>
std::string TailOf(const ShortString<N>& slot) {
  std::size_t end = N;
  while (end > slot.length && slot.chars[end - 1] == 0)
    --end;
  return std::string(slot.chars.data() + slot.length, end - slot.length);
}

// The settings' text of a slot, or what a slot without a setting holds.
std::string_view SettingText(const ConfigSettings& settings, int slot) {
  switch (slot) {
    case kSlotSignature:
      return kSignature;
    case kSlotExtension:
      return settings.extension;
    case kSlotBlocks:
      return settings.blocks;
    case kSlotSeparatorOther:
      return settings.separator_other;
    default:
      break;
  }
  const int node = slot - kSlotFieldValues;
  return IsDataField(node) ? std::string_view() : settings.values[static_cast<std::size_t>(node)];
}

void SetViewStates(TreeNode& node, bool expanded, bool disabled, bool selected) {
  node.Set(node_state::kExpanded, expanded);
  node.Set(node_state::kDisabled, disabled);
  node.Set(node_state::kSelected, selected);
}

void ApplyNodeBytes(TreeNode& node, const NodeBytes& bytes) {
  if (bytes.height) node.height = *bytes.height;
  if (bytes.alignment) node.alignment = *bytes.alignment;
  if (bytes.check) node.check_state = *bytes.check;
  if (bytes.check_type) node.check_type = *bytes.check_type;
  if (bytes.states) node.states = *bytes.states;
}

NodeBytes NodeBytesOf(const TreeNode& actual, const TreeNode& derived) {
  NodeBytes bytes;
  if (actual.height != derived.height) bytes.height = actual.height;
  if (actual.alignment != derived.alignment) bytes.alignment = actual.alignment;
  if (actual.check_state != derived.check_state) bytes.check = actual.check_state;
  if (actual.check_type != derived.check_type) bytes.check_type = actual.check_type;
  const auto states = static_cast<std::uint16_t>(actual.states & node_state::kStored);
  if (states != (derived.states & node_state::kStored)) bytes.states = states;
  return bytes;
}

// Calls `visit(node)` for every node of the tree in tree order.
template <typename Nodes, typename Visit>
void ForEachNode(Nodes& nodes, Visit visit) {
  for (auto& top : nodes) {
    visit(top);
    for (auto& child : top.children)
      visit(child);
  }
}

}  // namespace

std::array<bool, kEntityNodeCount> RuleDisabledKinds(const ConfigSettings& settings) {
  std::array<bool, kEntityNodeCount> disabled{};
  int kind = 0;
  for (int node = 0; node < kEntityNodeCount; ++node) {
    if (IsKind(node)) {
      kind = node;
    } else {
      disabled[static_cast<std::size_t>(node)] = !settings.kinds[static_cast<std::size_t>(kind)];
    }
  }
  return disabled;
}

std::array<bool, kFieldNodeCount> RuleDisabledFields(const ConfigSettings& settings) {
  std::array<bool, kFieldNodeCount> disabled{};
  int field = 0;
  for (int node = 0; node < kFieldNodeCount; ++node) {
    if (IsDataField(node)) {
      field = node;
    } else {
      disabled[static_cast<std::size_t>(node)] =
          !settings.exported[static_cast<std::size_t>(field)];
    }
  }
  return disabled;
}

ConfigSettings SettingsOf(const ConfigContent& content) {
  const TExportConfig& record = content.record;
  ConfigSettings settings;
  settings.extension = std::string(record.DataFileExtension.View());
  settings.separator =
      record.SeparatorIndex >= 0 && record.SeparatorIndex <= 5 ? record.SeparatorIndex : 0;
  settings.separator_other = std::string(record.SeparatorText.View());
  settings.header = record.IncludeHeader != 0;
  settings.blocks = std::string(record.BlockNames.View());
  settings.extended = content.extended;
  for (int node = 0; node < kFieldNodeCount; ++node) {
    if (!IsDataField(node))
      settings.values[static_cast<std::size_t>(node)] =
          std::string(record.FieldValues[static_cast<std::size_t>(node)].View());
  }
  ForEachNode(content.trees.entity, [&](const TreeNode& node) {
    const auto k = static_cast<std::size_t>(node.data);
    settings.kinds[k] = node.Checked();
    settings.kind_expanded[k] = node.Has(node_state::kExpanded);
    settings.kind_disabled[k] = node.Has(node_state::kDisabled);
    if (node.Has(node_state::kSelected) && settings.selected_kind < 0)
      settings.selected_kind = node.data;
  });
  settings.field_order.clear();
  for (const TreeNode& field : content.trees.data)
    settings.field_order.push_back(field.data);
  settings.attribute_expanded.assign(content.extended.attributes.size(), false);
  ForEachNode(content.trees.data, [&](const TreeNode& node) {
    if (node.Has(node_state::kSelected) && settings.selected_field < 0)
      settings.selected_field = node.data;
    if (IsAttributeField(node.data) &&
        AttributeColumnOf(node.data) < settings.attribute_expanded.size()) {
      const std::size_t column = AttributeColumnOf(node.data);
      settings.extended.attributes[column].exported = node.Checked();
      settings.attribute_expanded[column] = node.Has(node_state::kExpanded);
    }
    if (!IsRecordNode(node.data)) return;
    const auto k = static_cast<std::size_t>(node.data);
    if (IsDataField(node.data)) settings.exported[k] = node.Checked();
    settings.field_expanded[k] = node.Has(node_state::kExpanded);
    settings.field_disabled[k] = node.Has(node_state::kDisabled);
  });
  return settings;
}

ConfigContent ContentOf(const ConfigSettings& settings, const StoredBytes& stored) {
  ConfigContent content{TExportConfig{}, BuildConfigTrees(), settings.extended};
  TExportConfig& record = content.record;
  ForEachSlot(record, [&](int slot, auto& text) {
    const auto index = static_cast<std::size_t>(slot);
    Fill(text, stored.texts[index] ? *stored.texts[index] : SettingText(settings, slot),
         stored.tails[index]);
  });
  record.SeparatorIndex = stored.separator_index.value_or(settings.separator);
  record.IncludeHeader = stored.header.value_or(settings.header ? 1 : 0);

  ForEachNode(content.trees.entity, [&](TreeNode& node) {
    const auto k = static_cast<std::size_t>(node.data);
    node.check_state = settings.kinds[k] ? kChecked : kUnchecked;
    record.EntityChecks[k] = settings.kinds[k] ? 1 : 0;
    SetViewStates(node, settings.kind_expanded[k], settings.kind_disabled[k],
                  settings.selected_kind == node.data);
    ApplyNodeBytes(node, stored.kind_nodes[k]);
  });
  const std::vector<AttributeColumn>& columns = settings.extended.attributes;
  for (std::size_t column = 0; column < columns.size(); ++column)
    content.trees.data.push_back(AttributeColumnNode(column, columns[column].exported));
  TreeNodes ordered;
  for (const int field : settings.field_order) {
    auto found = std::find_if(content.trees.data.begin(), content.trees.data.end(),
                              [&](const TreeNode& node) { return node.data == field; });
    if (found != content.trees.data.end()) ordered.push_back(*found);
  }
  if (ordered.size() == content.trees.data.size()) content.trees.data = std::move(ordered);
  ForEachNode(content.trees.data, [&](TreeNode& node) {
    node.Set(node_state::kSelected, settings.selected_field == node.data);
    if (!IsRecordNode(node.data)) return;
    const auto k = static_cast<std::size_t>(node.data);
    if (IsDataField(node.data)) {
      node.check_state = settings.exported[k] ? kChecked : kUnchecked;
      record.FieldChecks[k] = settings.exported[k] ? 1 : 0;
    }
    SetViewStates(node, settings.field_expanded[k], settings.field_disabled[k],
                  settings.selected_field == node.data);
    ApplyNodeBytes(node, stored.field_nodes[k]);
  });
  // The caption options are disabled as the options beside them, which their field's check
  // state and [window] say; an attribute column's are as its check state leaves them.
  for (TreeNode& field : content.trees.data) {
    if (IsAttributeNode(field.data)) {
      const std::size_t column = AttributeColumnOf(field.data);
      field.Set(node_state::kExpanded,
                column < settings.attribute_expanded.size() && settings.attribute_expanded[column]);
      continue;
    }
    const bool disabled = field.children.front().Has(node_state::kDisabled);
    for (TreeNode& option : field.children)
      if (!IsRecordNode(option.data)) option.Set(node_state::kDisabled, disabled);
  }
  if (stored.entity_checks) record.EntityChecks = *stored.entity_checks;
  if (stored.field_checks) record.FieldChecks = *stored.field_checks;
  return content;
}

StoredBytes StoredBytesOf(const ConfigContent& content, const ConfigSettings& settings) {
  const ConfigContent derived = ContentOf(settings, {});
  StoredBytes stored;
  TExportConfig record = content.record;  // a copy, so that both records can be visited alike
  TExportConfig derived_record = derived.record;
  ForEachSlot(record, [&](int slot, auto& text) {
    const auto index = static_cast<std::size_t>(slot);
    using Slot = std::remove_reference_t<decltype(text)>;
    const Slot& other = SlotOf<Slot::kCapacity>(derived_record, slot);
    if (text.View() != other.View()) stored.texts[index] = std::string(text.View());
    stored.tails[index] = TailOf(text);
  });
  if (record.SeparatorIndex != derived_record.SeparatorIndex)
    stored.separator_index = record.SeparatorIndex;
  if (record.IncludeHeader != derived_record.IncludeHeader) stored.header = record.IncludeHeader;
  if (record.EntityChecks != derived_record.EntityChecks)
    stored.entity_checks = record.EntityChecks;
  if (record.FieldChecks != derived_record.FieldChecks) stored.field_checks = record.FieldChecks;
  ForEachNode(content.trees.entity, [&](const TreeNode& node) {
    stored.kind_nodes[static_cast<std::size_t>(node.data)] =
        NodeBytesOf(node, *FindNode(derived.trees.entity, node.data).node);
  });
  ForEachNode(content.trees.data, [&](const TreeNode& node) {
    if (!IsRecordNode(node.data)) return;
    stored.field_nodes[static_cast<std::size_t>(node.data)] =
        NodeBytesOf(node, *FindNode(derived.trees.data, node.data).node);
  });
  return stored;
}

}  // namespace quorvex
