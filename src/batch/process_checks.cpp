#include "process_checks.h"

#include <algorithm>

#include "engine/text_util.h"

namespace quorvex {

std::string_view ProcessCheckMessage(ProcessCheck check) {
  switch (check) {
    case ProcessCheck::kPassed:
      return {};
    case ProcessCheck::kNoExtension:
      return "  Please, enter a file extension to use for the Data files.  ";
    case ProcessCheck::kNoEntityKind:
      return "  Please, select DXF entities to be processed.  ";
    case ProcessCheck::kNoDataField:
      return "  Please, select data to be exported.  ";
  }
  return {};
}

ProcessCheck CheckProcessCommand(TExportConfig& config, std::string_view extension_text,
                                 std::string_view other_separator_text, const RunTables& tables) {
  if (Trimmed(extension_text).empty()) return ProcessCheck::kNoExtension;
  config.SeparatorText.Assign(ResolvedSeparator(config.SeparatorIndex, other_separator_text));
  const auto& enabled = tables.EntityEnabled;
  if (std::none_of(enabled.begin(), enabled.end(), [](std::uint8_t e) { return e == 1; })) {
    return ProcessCheck::kNoEntityKind;
  }
  const auto& order = tables.FieldOrder;
  if (std::all_of(order.begin(), order.end(), [](std::int32_t f) { return f == -1; })) {
    return ProcessCheck::kNoDataField;
  }
  return ProcessCheck::kPassed;
}

}  // namespace quorvex
