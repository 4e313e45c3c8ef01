#pragma once

#include <string_view>

#include "engine/export_config.h"

namespace quorvex {

/// Which check of the Process command stopped it.
enum class ProcessCheck {
  kPassed,
  kNoExtension,   // the extension box is empty once trimmed
  kNoEntityKind,  // no entity kind is enabled in the run tables
  kNoDataField,   // no data field is in the export order
};

/// The information message for a failed check (two blanks on each side); empty for kPassed.
std::string_view ProcessCheckMessage(ProcessCheck check);

/// The checks that precede a run, in the command's order. Unless the extension check fails, the
/// resolved separator is stored in `config.SeparatorText` first, and it stays there when a later
/// check fails. `tables` are the run tables just collected from the trees.
ProcessCheck CheckProcessCommand(TExportConfig& config, std::string_view extension_text,
                                 std::string_view other_separator_text, const RunTables& tables);

}  // namespace quorvex
