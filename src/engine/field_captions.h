#pragma once

#include <array>
#include <string>
#include <string_view>

#include "export_config.h"

namespace quorvex {

/// Caption of every data-tree node by field node index (data fields and their options).
extern const std::array<std::string_view, kFieldNodeCount> FieldCaptions;

/// The line naming the exported data fields in export order, joined by `separator`.
std::string BuildHeaderLine(const RunTables& tables, std::string_view separator);

}  // namespace quorvex
