#pragma once

#include <string_view>

#include "short_decimal.h"

namespace quorvex {

enum class DecimalScan {
  kNotNumber,  // the text does not follow the decimal grammar of number_text.h
  kShort,      // `value` is the text's value
  kLong,       // a number of more than 18 significant digits, or of an exponent beyond about
               // 4900, whose extended value is not its own digits; `value` is not set
};

/// How a decimal text is written: the digits before and after its point, and whether it has a
/// point and an exponent.
struct DecimalShape {
  int integer_digits = 0;
  int fraction_digits = 0;
  bool point = false;
  bool exponent = false;
};

/// Checks the decimal grammar and reads the value in the same pass, eight digits at a time;
/// sets `shape`, when given, for a number.
DecimalScan ScanDecimal(std::string_view text, ShortDecimal& value, DecimalShape* shape = nullptr);

}  // namespace quorvex
