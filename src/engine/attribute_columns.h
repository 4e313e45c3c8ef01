#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "export_config.h"

namespace quorvex {

/// A data field beyond the record's twelve: the value of a block insert's attribute (an ATTRIB
/// after the INSERT) whose tag is `tag`, empty for an insert without one and for every other
/// entity.
struct AttributeColumn {
  /// As the user wrote it; the header's caption when `caption` is empty. Tags are compared
  /// without regard to the case of the letters a-z (SameTag).
  std::string tag;
  std::string prefix;
  /// Replaces the tag in the header line when it is not empty.
  std::string caption;
  /// Its check box in the data tree.
  bool exported = true;

  friend bool operator==(const AttributeColumn&, const AttributeColumn&) = default;
};

/// Attribute columns have field node indexes of their own, above those of the record (below
/// kFieldNodeCount) and of the data tree's other nodes (below kAttributeFieldBase): column i is
/// the data field kAttributeFieldBase + 3 i, its prefix the index after it and its caption the
/// one after that, so that a field's prefix always stands at its index + 1.
inline constexpr int kAttributeFieldBase = 2 * kFieldNodeCount;
inline constexpr int kAttributeNodeStride = 3;

constexpr bool IsAttributeNode(int node) {
  return node >= kAttributeFieldBase;
}
constexpr int AttributeFieldNode(std::size_t column) {
  return kAttributeFieldBase + kAttributeNodeStride * static_cast<int>(column);
}
/// True for the data field of an attribute column, not its options.
constexpr bool IsAttributeField(int node) {
  return IsAttributeNode(node) && (node - kAttributeFieldBase) % kAttributeNodeStride == 0;
}
/// The column of an attribute column's node, its options included.
constexpr std::size_t AttributeColumnOf(int node) {
  return static_cast<std::size_t>((node - kAttributeFieldBase) / kAttributeNodeStride);
}

/// True for the field node indexes that a run's field order may hold: those of the record (its
/// option nodes write nothing) and the data fields of the first `column_count` attribute columns.
constexpr bool IsRunField(int node, std::size_t column_count) {
  if (node >= 0 && node < kFieldNodeCount) return true;
  return IsAttributeField(node) && AttributeColumnOf(node) < column_count;
}

/// True when the two tags are the same but for the case of the letters a-z, the fold that block
/// names are compared with too.
bool SameTag(std::string_view a, std::string_view b);

}  // namespace quorvex
