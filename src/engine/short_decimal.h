#pragma once

#include <cstdint>

namespace quorvex {

/// A decimal of at most 18 digits: significand x 10^exponent, negative when `negative` is set.
/// `digit_count` is the number of digits of `significand` (any, when it is 0). Sixteen bytes, so
/// that functions return it in registers.
struct ShortDecimal {
  std::uint64_t significand = 0;
  std::int32_t exponent = 0;
  std::int16_t digit_count = 0;
  bool negative = false;
};

/// A decimal of at most 18 significant digits survives the trip through the 64-bit mantissa of
/// the x86-64 extended type: printed back to 18 digits it gives its own digits (LDBL_DIG is 18).
/// For such a text the rounding can work on the text's digits, with no floating point at all.
inline constexpr int kExtendedDigits = 18;

}  // namespace quorvex
