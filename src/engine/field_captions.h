#pragma once

#include <array>
#include <string>
#include <string_view>

#include "export_config.h"
#include "extended_settings.h"

namespace quorvex {

/// Caption of every data-tree node by field node index (data fields and their options).
extern const std::array<std::string_view, kFieldNodeCount> FieldCaptions;

/// The caption that names the data field `field_node` in the header line: the caption that
/// `extended` gives it, else the field's own (FieldCaptions; an attribute column's tag).
std::string_view HeaderCaption(int field_node, const ExtendedSettings& extended);

/// The line naming the exported data fields in export order, joined by `separator`; with the
/// quote option of `extended`, each caption that needs it is quoted as a field is.
std::string BuildHeaderLine(const RunTables& tables, std::string_view separator,
                            const ExtendedSettings& extended = {});

}  // namespace quorvex
