#include "config/typed_value.h"

#include <algorithm>

#include "engine/export_config.h"
#include "engine/number_text.h"
#include "engine/text_util.h"

namespace quorvex {
namespace {

constexpr std::string_view kNotInteger = "  The value must be an integer value.  ";
// The lowest value named here is 1 although 0 decimals are accepted; the text is the window's.
constexpr std::string_view kNotDecimalCount =
    "  The value must be an integer value comprised between 1 and 14.  ";
constexpr std::string_view kNotDecimal = "  The value must be a decimal value.  ";

std::string_view Refusal(int field_node, const std::string& value) {
  switch (field_node) {
    case field_node::kLineNumberStart:
    case field_node::kSequentialStart:
    case field_node::kGroupStart:
      return ParseInt32(value) ? std::string_view{} : kNotInteger;
    case field_node::kXDecimals:
    case field_node::kYDecimals:
    case field_node::kZDecimals: {
      const auto decimals = ParseInt32(value);
      return decimals && *decimals >= 0 && *decimals <= 14 ? std::string_view{} : kNotDecimalCount;
    }
    case field_node::kZForceTo:
      return value.empty() || ParseDouble(value) ? std::string_view{} : kNotDecimal;
    default:
      return {};
  }
}

}  // namespace

TypedValueCheck CheckTypedValue(int field_node, std::string_view text) {
  TypedValueCheck check;
  check.value = std::string(Trimmed(text));
  std::replace(check.value.begin(), check.value.end(), ',', '.');
  check.refusal = Refusal(field_node, check.value);
  check.accepted = check.refusal.empty();
  return check;
}

}  // namespace quorvex
