#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "short_decimal.h"

namespace quorvex {

// Every number the engine reads follows one grammar, whatever the process locale:
//   decimal: [+-]? digits with at most one '.', at least one digit, then ([eE][+-]?digits)?
//   integer: [+-]? digits, within 32 bits
// Anything else (empty text, blanks inside, "inf", "nan", hex forms, thousands separators) is
// rejected. Callers pass trimmed text.

/// True when `text` matches the decimal grammar.
bool IsDecimalText(std::string_view text);

/// The decimal text correctly rounded to a double; nullopt when the grammar rejects it or the
/// value is beyond the double range (a value too small for it becomes zero).
std::optional<double> ParseDouble(std::string_view text);

/// ParseDouble that also sets `decimal` to the text's value as a decimal when the text has at
/// most 18 significant digits and a decimal exponent within about 4900 of 0, and to nullopt
/// otherwise.
std::optional<double> ParseDouble(std::string_view text, std::optional<ShortDecimal>& decimal);

/// The decimal text rounded to the nearest x86-64 80-bit extended value; nullopt when the grammar
/// rejects it or the value is beyond the extended range (a value too small for it becomes zero).
std::optional<long double> ParseLongDouble(std::string_view text);

/// The integer text as a 32-bit value; nullopt when rejected or out of range.
std::optional<std::int32_t> ParseInt32(std::string_view text);

}  // namespace quorvex
