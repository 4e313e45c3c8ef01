#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "rounded_digits.h"

namespace quorvex {

/// Formats a coordinate given as decimal text (see number_text.h for the grammar) with exactly
/// `decimals` digits after the point (none and no point for 0; a negative count counts as 0).
///
/// The value is taken as the x86-64 80-bit extended value nearest to the text, written to 18
/// significant decimal digits (correctly rounded), then rounded to at most 14 significant
/// digits and `decimals` places by the first dropped digit alone (5 or more rounds the
/// magnitude up). Places beyond the 14th significant digit are written as "0"; a value that
/// rounds to zero has no sign. When the rounded integer part has more than 14 digits the value
/// is written as a mantissa of at most 14 significant digits without trailing zeros, "E", a
/// sign and the exponent: 1.5E+15, -2E+20.
///
/// Appends the result to `out` and returns true; returns false, leaving `out` as it was, when
/// `text` is not a number or its value lies beyond the extended range (about 1.19E+4932).
bool FormatCoordinate(std::string_view text, int decimals, std::string& out);

/// The room that WriteCoordinate needs at its destination for `decimals`.
constexpr std::size_t CoordinateRoom(int decimals) {
  return RoundedDecimalRoom(decimals);
}

/// FormatCoordinate writing at `at`, which must have CoordinateRoom(decimals) bytes of room:
/// returns the end of the text (bytes of the room after it may have been written), or nullptr
/// when `text` is not a number.
char* WriteCoordinate(std::string_view text, int decimals, char* at);

/// The decimals of a computed coordinate's text.
inline constexpr int kComputedCoordinateDecimals = 15;

/// Appends the text that a computed coordinate is handed on as: the exact value of the double
/// rendered as FormatCoordinate renders a text with 15 decimals. A value that is not finite is
/// written "inf", "-inf" or "nan", texts that FormatCoordinate refuses as not a number.
void FormatComputedCoordinate(double value, std::string& out);

/// The decimal that FormatComputedCoordinate's text of the finite `value` stands for: written
/// with WriteRoundedDecimal and any number of decimals, it gives what FormatCoordinate gives for
/// that text, without the text.
ShortDecimal ComputedCoordinateDecimal(double value);

/// True when `decimal`, the value of a text, stands for what ComputedCoordinateDecimal gives
/// for the double nearest to it: when it has at most 14 digits, the last not below the 15th
/// decimal, and less than 10^14. A number handed on as the file gives it is then written from
/// its decimal, without the conversion back from binary.
bool IsOwnComputedDecimal(const ShortDecimal& decimal);

/// The literal, slow renderings through the 80-bit value and `printf`, kept as the reference the
/// fast paths are tested against. Same contracts as FormatCoordinate and
/// FormatComputedCoordinate.
bool FormatCoordinateReference(std::string_view text, int decimals, std::string& out);
void FormatComputedCoordinateReference(double value, std::string& out);

}  // namespace quorvex
