#include "format_coordinate.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "decimal_powers.h"
#include "rounded_digits.h"

namespace quorvex {
namespace {

// A decimal of at most 18 significant digits survives the trip through the 64-bit mantissa of
// the extended type: printed back to 18 digits it gives its own digits (LDBL_DIG is 18). For
// such a text the rounding can work on the text's digits, with no floating point at all.
constexpr int kExactDigits = 18;

// Within these decimal exponents the extended value of a text is normal, where the rule above
// holds; a text beyond them (subnormal or overflowing) takes the reference path.
constexpr std::int64_t kNormalExponentLimit = 4900;

// Larger exponents are counted as this one: they lie far beyond the limit above either way.
constexpr std::int64_t kExponentCap = 1'000'000'000'000;

using Uint128 = unsigned __int128;

enum class Scan { kNotNumber, kShort, kReference };

bool IsDigit(char c) {
  return static_cast<unsigned char>(c - '0') < 10;
}

// Checks the grammar of number_text.h and reads the value in the same pass. kReference when the
// text's digits are not those of its extended value.
Scan ScanDecimal(std::string_view text, ShortDecimal& value) {
  const char* p = text.data();
  const char* const end = p + text.size();
  value.negative = false;
  if (p != end && (*p == '+' || *p == '-')) value.negative = *p++ == '-';

  // The significand takes the digits from the first non-zero one on, up to 19 of them; beyond
  // those only zeros may follow, counted in `beyond`.
  std::uint64_t significand = 0;
  int count = 0;        // digits in the significand
  int significant = 0;  // digits up to the last non-zero one
  std::int64_t beyond = 0;
  auto take = [&](char c) {
    const unsigned digit = static_cast<unsigned>(c - '0');
    if (count < kExactDigits + 1) {
      significand = significand * 10 + digit;
      if (significand != 0) ++count;
      if (digit != 0) significant = count;
    } else if (digit != 0) {
      significant = count + 1;
    } else {
      ++beyond;
    }
  };
  const char* const digits_start = p;
  while (p != end && IsDigit(*p))
    take(*p++);
  std::int64_t fraction_digits = 0;
  if (p != end && *p == '.') {
    const char* const fraction_start = ++p;
    while (p != end && IsDigit(*p))
      take(*p++);
    fraction_digits = p - fraction_start;
    if (p - digits_start == 1) return Scan::kNotNumber;  // the point alone
  } else if (p == digits_start) {
    return Scan::kNotNumber;
  }

  std::int64_t exponent = 0;
  if (p != end && (*p == 'e' || *p == 'E')) {
    ++p;
    bool negative_exponent = false;
    if (p != end && (*p == '+' || *p == '-')) negative_exponent = *p++ == '-';
    if (p == end || !IsDigit(*p)) return Scan::kNotNumber;
    for (; p != end && IsDigit(*p); ++p) {
      if (exponent < kExponentCap) exponent = exponent * 10 + (*p - '0');
    }
    if (negative_exponent) exponent = -exponent;
  }
  if (p != end) return Scan::kNotNumber;

  if (significant > kExactDigits) return Scan::kReference;
  if (count > kExactDigits) {
    significand /= 10;  // a trailing zero
    --count;
    ++beyond;
  }
  const std::int64_t power = exponent + beyond - fraction_digits;
  const std::int64_t top = power + count - 1;
  if (significand != 0 && (top > kNormalExponentLimit || top < -kNormalExponentLimit)) {
    return Scan::kReference;
  }
  value.significand = significand;
  value.digit_count = count;
  value.exponent = significand != 0 ? static_cast<int>(power) : 0;
  return Scan::kShort;
}

// A computed coordinate below 2^-56 (about 1.4E-17) rounds to zero: even rounded to 18 digits
// its first digit stands below the 16th decimal place.
constexpr int kZeroBelowBinaryExponent = -56;
static_assert(kComputedCoordinateDecimals == 15);

// The range of binary exponents where the 18-digit decimal is computed in 128-bit integers;
// larger values, never real coordinates, take the reference path.
constexpr int kLargestShortBinaryExponent = 74;

// 5^0 .. 5^31: with a 53-bit mantissa every product stays within 128 bits.
constexpr int kLargestPowerOfFive = 31;
constexpr std::array<Uint128, kLargestPowerOfFive + 1> kPowersOfFive = [] {
  std::array<Uint128, kLargestPowerOfFive + 1> powers{};
  Uint128 power = 1;
  for (Uint128& entry : powers) {
    entry = power;
    power *= 5;
  }
  return powers;
}();

// The exact value mantissa x 2^exponent, 2^binary_exponent <= value < 2^(binary_exponent + 1),
// correctly rounded to 18 significant decimal digits.
//
// printf rounds a tie to even where this rounds it up. That changes only an even 18th digit by
// one, never carrying into the digits before it; and the formatting that follows never looks
// at the 18th digit (it keeps at most 14 and reads the first dropped one alone).
ShortDecimal EighteenDigits(bool negative, std::uint64_t mantissa, int exponent,
                            int binary_exponent) {
  // floor(binary_exponent x log10 2): the decimal exponent of the value or one less.
  const int top = (binary_exponent * 78913) >> 18;
  // The value x 10^scale has 18 or 19 integer digits: whole, and the part below.
  const int scale = kExactDigits - 1 - top;
  std::uint64_t whole = 0;
  bool half_or_more = false;
  if (scale >= 0) {
    // value x 10^scale = mantissa x 5^fives x 2^(exponent + fives) x 10^(scale - fives).
    const int fives = std::min(scale, kLargestPowerOfFive);
    const Uint128 product = mantissa * kPowersOfFive[fives];
    const std::uint64_t tens = kPowersOfTen[scale - fives];
    const int shift = exponent + fives;
    if (shift >= 0) {
      whole = static_cast<std::uint64_t>(product << shift) * tens;
    } else {
      const int bits = -shift;
      const Uint128 below = (product & ((Uint128{1} << bits) - 1)) * tens;
      whole = static_cast<std::uint64_t>(product >> bits) * tens +
              static_cast<std::uint64_t>(below >> bits);
      half_or_more = ((below >> (bits - 1)) & 1) != 0;
    }
  } else {
    // A value of 10^18 or more is an integer.
    const Uint128 value = static_cast<Uint128>(mantissa) << exponent;
    const std::uint64_t unit = kPowersOfTen[-scale];
    whole = static_cast<std::uint64_t>(value / unit);
    half_or_more = value % unit >= unit / 2;
  }
  int decimal_exponent = -scale;
  if (whole >= kPowersOfTen[kExactDigits]) {
    half_or_more = whole % 10 >= 5;
    whole /= 10;
    ++decimal_exponent;
  }
  if (half_or_more && ++whole == kPowersOfTen[kExactDigits]) {
    whole = kPowersOfTen[kExactDigits - 1];
    ++decimal_exponent;
  }
  return ShortDecimal{negative, whole, kExactDigits, decimal_exponent};
}

}  // namespace

bool FormatCoordinate(std::string_view text, int decimals, std::string& out) {
  ShortDecimal value;
  switch (ScanDecimal(text, value)) {
    case Scan::kNotNumber:
      return false;
    case Scan::kReference:
      return FormatCoordinateReference(text, decimals, out);
    case Scan::kShort:
      break;
  }
  AppendRoundedDecimal(value, decimals, out);
  return true;
}

void FormatComputedCoordinate(double value, std::string& out) {
  // A double converts to the extended type exactly, so its extended value is its own exact
  // binary value, which integer arithmetic renders to 18 digits.
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const int biased_exponent = static_cast<int>((bits >> 52) & 0x7ff);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased_exponent == 0x7ff) {
    FormatComputedCoordinateReference(value, out);  // not finite
    return;
  }
  int exponent = -1074;  // subnormal
  if (biased_exponent != 0) {
    mantissa |= std::uint64_t{1} << 52;
    exponent = biased_exponent - 1075;
  }
  const int binary_exponent = exponent + 63 - std::countl_zero(mantissa);
  if (mantissa == 0 || binary_exponent < kZeroBelowBinaryExponent) {
    AppendRoundedDecimal(ShortDecimal{}, kComputedCoordinateDecimals, out);
  } else if (binary_exponent > kLargestShortBinaryExponent) {
    FormatComputedCoordinateReference(value, out);
  } else {
    AppendRoundedDecimal(EighteenDigits(negative, mantissa, exponent, binary_exponent),
                         kComputedCoordinateDecimals, out);
  }
}

}  // namespace quorvex
