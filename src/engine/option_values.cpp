#include "option_values.h"

#include "export_config.h"
#include "number_text.h"

namespace quorvex {

OptionRule OptionRuleOf(int field_node) {
  switch (field_node) {
    case field_node::kLineNumberStart:
    case field_node::kSequentialStart:
    case field_node::kGroupStart:
      return OptionRule::kInteger;
    case field_node::kXDecimals:
    case field_node::kYDecimals:
    case field_node::kZDecimals:
      return OptionRule::kDecimalCount;
    case field_node::kZForceTo:
      return OptionRule::kDecimalOrEmpty;
    default:
      return OptionRule::kAnyText;
  }
}

bool SatisfiesOptionRule(OptionRule rule, std::string_view value) {
  switch (rule) {
    case OptionRule::kAnyText:
      return true;
    case OptionRule::kInteger:
      return ParseInt32(value).has_value();
    case OptionRule::kDecimalCount: {
      const auto decimals = ParseInt32(value);
      return decimals && *decimals >= 0 && *decimals <= 14;
    }
    case OptionRule::kDecimalOrEmpty:
      return value.empty() || ParseDouble(value).has_value();
  }
  return false;
}

}  // namespace quorvex
