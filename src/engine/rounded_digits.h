#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "short_decimal.h"

namespace quorvex {

/// A decimal value as significant digits: 0.d[0]d[1]...d[count-1] x 10^(exponent + 1), that is,
/// d[0] stands at the place 10^exponent. Zero is any value whose digits are all 0.
struct DecimalDigits {
  static constexpr int kMaxDigits = 40;
  bool negative = false;
  int count = 0;
  int exponent = 0;
  char digits[kMaxDigits] = {};
};

/// Rounds the digits to at most 14 significant digits and `decimals` places by the first
/// dropped digit alone and appends the fixed or scientific text, as FormatCoordinate describes.
void AppendRoundedDigits(const DecimalDigits& value, int decimals, std::string& out);

/// The room that WriteRoundedDecimal needs at its destination for `decimals`: the longest text
/// and the bytes beyond it that the wide stores of the fast path may overwrite.
constexpr std::size_t RoundedDecimalRoom(int decimals) {
  return static_cast<std::size_t>(decimals > 0 ? decimals : 0) + 40;
}

/// The rounding and text of AppendRoundedDigits, done on the integer: the fast path. Writes the
/// text at `at`, which must have RoundedDecimalRoom(decimals) bytes of room, and returns its
/// end; bytes of the room after the end may have been written.
char* WriteRoundedDecimal(const ShortDecimal& value, int decimals, char* at);

/// WriteRoundedDecimal appending to `out`.
void AppendRoundedDecimal(const ShortDecimal& value, int decimals, std::string& out);

/// The value rounded as WriteRoundedDecimal rounds it for `decimals`: the decimal that its text
/// stands for, its sign kept also when it rounds to zero.
ShortDecimal RoundedDecimal(const ShortDecimal& value, int decimals);

}  // namespace quorvex
