#include "format_coordinate.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

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

// The digits a 64-bit integer always holds.
constexpr std::size_t kIntegerDigits = 19;

enum class Scan { kNotNumber, kShort, kReference };

bool IsDigit(char c) {
  return static_cast<unsigned char>(c - '0') < 10;
}

// The number of digits of n > 0.
int DigitCount(std::uint64_t n) {
  const int estimate = ((64 - std::countl_zero(n)) * 1233) >> 12;  // the count or one less
  return estimate + (n >= kPowersOfTen[estimate] ? 1 : 0);
}

// Reads digits too many for a 64-bit integer, of which only the leading and trailing zeros may
// be beyond the 18 significant ones; kReference otherwise. `power` receives the place of the
// significand's last digit.
Scan ReadManyDigits(std::string_view integer_digits, std::string_view fraction_digits,
                    ShortDecimal& value, std::int64_t& power) {
  const auto integer_count = static_cast<std::int64_t>(integer_digits.size());
  const auto count = integer_count + static_cast<std::int64_t>(fraction_digits.size());
  auto digit = [&](std::int64_t i) {
    return i < integer_count ? integer_digits[static_cast<std::size_t>(i)]
                             : fraction_digits[static_cast<std::size_t>(i - integer_count)];
  };
  std::int64_t first = 0;
  while (first < count && digit(first) == '0')
    ++first;
  power = 0;
  if (first == count) return Scan::kShort;  // zero
  std::int64_t last = count - 1;
  while (digit(last) == '0')
    --last;
  if (last - first + 1 > kExactDigits) return Scan::kReference;
  for (std::int64_t i = first; i <= last; ++i)
    value.significand = value.significand * 10 + static_cast<unsigned>(digit(i) - '0');
  value.digit_count = static_cast<int>(last - first + 1);
  power = integer_count - 1 - last;
  return Scan::kShort;
}

// Digit runs are read eight bytes at a time, the first character in the lowest byte.
static_assert(std::endian::native == std::endian::little);

// The up to eight characters from p on, the first in the lowest byte; bytes past the end are 0.
std::uint64_t LoadEight(const char* p, const char* begin, const char* end) {
  std::uint64_t chunk = 0;
  const std::ptrdiff_t left = end - p;
  if (left >= 8) {
    std::memcpy(&chunk, p, 8);
  } else if (end - begin >= 8) {
    std::memcpy(&chunk, end - 8, 8);
    chunk >>= 8 * (8 - left);
  } else {
    for (std::ptrdiff_t i = 0; i < left; ++i)
      chunk |= std::uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
  }
  return chunk;
}

// The value of eight digits 0..9, one per byte, the most significant in the lowest byte.
std::uint64_t EightDigitsValue(std::uint64_t digits) {
  digits = digits * 10 + (digits >> 8);  // pairs of digits
  constexpr std::uint64_t kPairMask = 0x000000FF000000FF;
  return (((digits & kPairMask) * (100 + (1'000'000ULL << 32))) +
          (((digits >> 16) & kPairMask) * (1 + (10'000ULL << 32)))) >>
         32;
}

// Reads the run of digits at p into `significand` (which wraps past 19 digits; ScanDecimal then
// reads them again) and returns the end of the run. Inlined: the call's setup cost as much as
// the run.
[[gnu::always_inline]] inline const char* ReadDigitRun(const char* p, const char* begin,
                                                       const char* end,
                                                       std::uint64_t& significand) {
  while (p != end) {
    const std::uint64_t values = LoadEight(p, begin, end) ^ 0x3030303030303030;  // '0' is 0
    const std::uint64_t non_digits =
        (values | (values + 0x0606060606060606)) & 0xF0F0F0F0F0F0F0F0;  // above 9
    const int count = non_digits == 0 ? 8 : std::countr_zero(non_digits) / 8;
    if (count == 0) break;
    significand = significand * kPowersOfTen[static_cast<std::size_t>(count)] +
                  EightDigitsValue(values << (8 * (8 - count)));
    p += count;
    if (count < 8) break;
  }
  return p;
}

// Checks the grammar of number_text.h and reads the value in the same pass. kReference when the
// text's digits are not those of its extended value.
Scan ScanDecimal(std::string_view text, ShortDecimal& value) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* p = begin;
  if (p != end && (*p == '+' || *p == '-')) value.negative = *p++ == '-';

  // Every digit goes into `significand`; with too many for it, ReadManyDigits reads them again.
  std::uint64_t significand = 0;
  const char* const integer_begin = p;
  p = ReadDigitRun(p, begin, end, significand);
  const std::string_view integer_digits(integer_begin, static_cast<std::size_t>(p - integer_begin));
  std::string_view fraction_digits;
  if (p != end && *p == '.') {
    const char* const fraction_begin = ++p;
    p = ReadDigitRun(p, begin, end, significand);
    fraction_digits = {fraction_begin, static_cast<std::size_t>(p - fraction_begin)};
  }
  if (integer_digits.empty() && fraction_digits.empty()) return Scan::kNotNumber;

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

  std::int64_t power = 0;
  if (integer_digits.size() + fraction_digits.size() <= kIntegerDigits) {
    power = -static_cast<std::int64_t>(fraction_digits.size());
    if (significand >= kPowersOfTen[kExactDigits]) {
      // 19 digits: at most 18 significant ones only with a trailing zero.
      if (significand % 10 != 0) return Scan::kReference;
      significand /= 10;
      ++power;
    }
    value.significand = significand;
    value.digit_count = significand != 0 ? DigitCount(significand) : 0;
  } else if (const Scan scan = ReadManyDigits(integer_digits, fraction_digits, value, power);
             scan != Scan::kShort) {
    return scan;
  }
  if (value.significand == 0) return Scan::kShort;
  power += exponent;
  const std::int64_t top = power + value.digit_count - 1;
  if (top > kNormalExponentLimit || top < -kNormalExponentLimit) return Scan::kReference;
  value.exponent = static_cast<int>(power);
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

char* WriteCoordinate(std::string_view text, int decimals, char* at) {
  ShortDecimal value;
  switch (ScanDecimal(text, value)) {
    case Scan::kNotNumber:
      return nullptr;
    case Scan::kReference: {
      std::string reference;
      if (!FormatCoordinateReference(text, decimals, reference)) return nullptr;
      std::memcpy(at, reference.data(), reference.size());
      return at + reference.size();
    }
    case Scan::kShort:
      break;
  }
  return WriteRoundedDecimal(value, decimals, at);
}

bool FormatCoordinate(std::string_view text, int decimals, std::string& out) {
  const std::size_t start = out.size();
  out.resize(start + CoordinateRoom(decimals));
  const char* const end = WriteCoordinate(text, decimals, out.data() + start);
  out.resize(end ? static_cast<std::size_t>(end - out.data()) : start);
  return end != nullptr;
}

ShortDecimal ComputedCoordinateDecimal(double value) {
  // A double converts to the extended type exactly, so its extended value is its own exact
  // binary value, which integer arithmetic renders to 18 digits.
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const int biased_exponent = static_cast<int>((bits >> 52) & 0x7ff);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  int exponent = -1074;  // subnormal
  if (biased_exponent != 0) {
    mantissa |= std::uint64_t{1} << 52;
    exponent = biased_exponent - 1075;
  }
  const int binary_exponent = exponent + 63 - std::countl_zero(mantissa);
  if (mantissa == 0 || binary_exponent < kZeroBelowBinaryExponent) return ShortDecimal{};
  if (binary_exponent <= kLargestShortBinaryExponent) {
    return RoundedDecimal(EighteenDigits(negative, mantissa, exponent, binary_exponent),
                          kComputedCoordinateDecimals);
  }
  // Far beyond any coordinate: the text of the reference path, which is short, read back.
  std::string text;
  FormatComputedCoordinateReference(value, text);
  ShortDecimal decimal;
  ScanDecimal(text, decimal);
  return decimal;
}

void FormatComputedCoordinate(double value, std::string& out) {
  if (!std::isfinite(value)) {
    FormatComputedCoordinateReference(value, out);
    return;
  }
  AppendRoundedDecimal(ComputedCoordinateDecimal(value), kComputedCoordinateDecimals, out);
}

}  // namespace quorvex
