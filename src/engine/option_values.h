#pragma once

#include <string_view>

namespace quorvex {

/// What an option node of the data tree accepts, whether its value is typed or loaded.
enum class OptionRule {
  kAnyText,         // prefixes and the label
  kInteger,         // "Start at :": a 32-bit integer
  kDecimalCount,    // "Decimals :": an integer 0 to 14
  kDecimalOrEmpty,  // "Force to :": a decimal number, or nothing
};

OptionRule OptionRuleOf(int field_node);

/// True when `value` (trimmed, with "." as the decimal separator) satisfies `rule`.
bool SatisfiesOptionRule(OptionRule rule, std::string_view value);

}  // namespace quorvex
