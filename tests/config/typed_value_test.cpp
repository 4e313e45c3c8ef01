#include <gtest/gtest.h>

#include "config/typed_value.h"
#include "engine/export_config.h"

namespace quorvex {
namespace {

constexpr std::string_view kInteger = "  The value must be an integer value.  ";
constexpr std::string_view kDecimals =
    "  The value must be an integer value comprised between 1 and 14.  ";
constexpr std::string_view kDecimal = "  The value must be a decimal value.  ";

TEST(CheckTypedValue, Table) {
  const struct {
    const char* name;
    int node;
    std::string_view text;
    std::string_view stored;   // when accepted
    std::string_view refusal;  // when refused
  } rows[] = {
      {"start: blanks around the digits", field_node::kLineNumberStart, "  7 ", "7", {}},
      {"start: signed", field_node::kSequentialStart, "-12", "-12", {}},
      {"start: plus sign", field_node::kGroupStart, "+3", "+3", {}},
      {"start: largest 32-bit", field_node::kGroupStart, "2147483647", "2147483647", {}},
      {"start: beyond 32 bits", field_node::kGroupStart, "2147483648", {}, kInteger},
      {"start: empty", field_node::kLineNumberStart, "   ", {}, kInteger},
      {"start: comma becomes a point", field_node::kLineNumberStart, "1,5", {}, kInteger},
      {"start: hex", field_node::kLineNumberStart, "$1F", {}, kInteger},
      {"decimals: zero", field_node::kXDecimals, "0", "0", {}},
      {"decimals: fourteen", field_node::kYDecimals, "14", "14", {}},
      {"decimals: fifteen", field_node::kZDecimals, "15", {}, kDecimals},
      {"decimals: negative", field_node::kZDecimals, "-1", {}, kDecimals},
      {"decimals: empty", field_node::kXDecimals, "", {}, kDecimals},
      {"force to: comma", field_node::kZForceTo, "1,5", "1.5", {}},
      {"force to: empty", field_node::kZForceTo, "  ", "", {}},
      {"force to: exponent", field_node::kZForceTo, "-2.5e3", "-2.5e3", {}},
      {"force to: beyond a double", field_node::kZForceTo, "1e400", {}, kDecimal},
      {"force to: text", field_node::kZForceTo, "abc", {}, kDecimal},
      {"force to: two points", field_node::kZForceTo, "1.2.3", {}, kDecimal},
      {"prefix: comma becomes a point", field_node::kX + 1, "a,b", "a.b", {}},
      {"prefix: control characters trimmed", field_node::kX + 1, "\t P-\r\n", "P-", {}},
      {"label: any text", field_node::kLabelText, " Tree No. 1 ", "Tree No. 1", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const TypedValueCheck check = CheckTypedValue(row.node, row.text);
    EXPECT_EQ(check.accepted, row.refusal.empty());
    EXPECT_EQ(check.refusal, row.refusal);
    if (check.accepted) {
      EXPECT_EQ(check.value, row.stored);
    }
  }
}

}  // namespace
}  // namespace quorvex
