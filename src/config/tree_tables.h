#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/export_config.h"
#include "engine/extended_settings.h"

namespace quorvex {

/// Caption of every entity-tree node by entity node index.
extern const std::array<std::string_view, kEntityNodeCount> EntityCaptions;
/// Hint of every entity-tree node by entity node index.
extern const std::array<std::string_view, kEntityNodeCount> EntityHints;
/// For a kind node 1 + its number of option nodes; 0 for an option node.
extern const std::array<int, kEntityNodeCount> EntityChildCounts;

/// For a data field 1 + its number of option nodes; 0 for an option node. Captions of the data
/// tree are `FieldCaptions` (engine/field_captions.h), which the header line shares.
extern const std::array<int, kFieldNodeCount> FieldChildCounts;
/// Hint of every data-tree node by field node index, without the data-kind suffix.
extern const std::array<std::string_view, kFieldNodeCount> FieldHints;

/// True for the data fields whose values the program makes up instead of reading them from the
/// DXF file: Line Number, Label, Sequential Number and Group Number.
bool IsCustomDataField(int field_node);

/// What follows `FieldHints` in a data field's hint, telling custom data from DXF data; empty for
/// an option node.
std::string_view FieldHintSuffix(int field_node);

/// What the data tree shows of any of its nodes, the record's and those that only the TOML form
/// keeps (config/data_nodes.h), under `extended`, which holds the attribute columns: the
/// caption ("Caption :"; an attribute column's "Attribute " and its tag), the hint (a data
/// field's with its suffix), and the text of the "Options" cell (the value of an option node;
/// a data field's own entry of `FieldValues`, which no editor writes, and nothing for an
/// attribute column). Empty for a node of no column.
std::string DataNodeCaption(int node, const ExtendedSettings& extended);
std::string DataNodeHint(int node, const ExtendedSettings& extended);
std::string_view DataNodeValue(int node, const TExportConfig& record,
                               const ExtendedSettings& extended);

}  // namespace quorvex
