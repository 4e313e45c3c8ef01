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

/// Checks the decimal grammar and reads the value in the same pass, eight digits at a time.
DecimalScan ScanDecimal(std::string_view text, ShortDecimal& value);

}  // namespace quorvex
