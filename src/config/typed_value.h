#pragma once

#include <string>
#include <string_view>

namespace quorvex {

/// The verdict on a text typed into an option cell of the data tree.
struct TypedValueCheck {
  bool accepted = false;
  std::string value;         // what is stored when accepted
  std::string_view refusal;  // the message shown when refused
};

/// Checks `text` typed for the option node `field_node`. The text is trimmed of blanks and
/// control characters at both ends; a "Caption :" takes it so, and in any other every ","
/// becomes "."; then "Start at :" needs a 32-bit integer, "Decimals :" an integer 0 to 14,
/// "Force to :" a decimal number or nothing, and every other option takes any text.
TypedValueCheck CheckTypedValue(int field_node, std::string_view text);

}  // namespace quorvex
