#include "config/typed_value.h"

#include <algorithm>

#include "config/data_nodes.h"
#include "engine/option_values.h"
#include "engine/report_words.h"
#include "engine/text_util.h"

namespace quorvex {

TypedValueCheck CheckTypedValue(int field_node, std::string_view text) {
  TypedValueCheck check;
  check.value = std::string(Trimmed(text));
  // A caption names a column, and a comma in it is written as typed (quoted where need be).
  if (IsCaptionNode(field_node)) {
    check.accepted = true;
    return check;
  }
  std::replace(check.value.begin(), check.value.end(), ',', '.');
  const OptionRule rule = OptionRuleOf(field_node);
  if (!SatisfiesOptionRule(rule, check.value)) check.refusal = OptionRuleMessage(rule);
  check.accepted = check.refusal.empty();
  return check;
}

}  // namespace quorvex
