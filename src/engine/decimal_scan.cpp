#include "decimal_scan.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "decimal_powers.h"

namespace quorvex {
namespace {

// Within these decimal exponents the extended value of a text is normal, where its 18 digits
// are its own; a text beyond them (subnormal or overflowing) is kLong.
constexpr std::int64_t kNormalExponentLimit = 4900;

// Larger exponents are counted as this one: they lie far beyond the limit above either way.
constexpr std::int64_t kExponentCap = 1'000'000'000'000;

// The digits a 64-bit integer always holds.
constexpr std::size_t kIntegerDigits = 19;

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
DecimalScan ReadManyDigits(std::string_view integer_digits, std::string_view fraction_digits,
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
  if (first == count) return DecimalScan::kShort;  // zero
  std::int64_t last = count - 1;
  while (digit(last) == '0')
    --last;
  if (last - first + 1 > kExtendedDigits) return DecimalScan::kLong;
  for (std::int64_t i = first; i <= last; ++i)
    value.significand = value.significand * 10 + static_cast<unsigned>(digit(i) - '0');
  value.digit_count = static_cast<std::int16_t>(last - first + 1);
  power = integer_count - 1 - last;
  return DecimalScan::kShort;
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

}  // namespace

DecimalScan ScanDecimal(std::string_view text, ShortDecimal& value, DecimalShape* shape) {
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
  const bool point = p != end && *p == '.';
  if (point) {
    const char* const fraction_begin = ++p;
    p = ReadDigitRun(p, begin, end, significand);
    fraction_digits = {fraction_begin, static_cast<std::size_t>(p - fraction_begin)};
  }
  if (integer_digits.empty() && fraction_digits.empty()) return DecimalScan::kNotNumber;

  std::int64_t exponent = 0;
  const bool has_exponent = p != end && (*p == 'e' || *p == 'E');
  if (has_exponent) {
    ++p;
    bool negative_exponent = false;
    if (p != end && (*p == '+' || *p == '-')) negative_exponent = *p++ == '-';
    if (p == end || !IsDigit(*p)) return DecimalScan::kNotNumber;
    for (; p != end && IsDigit(*p); ++p) {
      if (exponent < kExponentCap) exponent = exponent * 10 + (*p - '0');
    }
    if (negative_exponent) exponent = -exponent;
  }
  if (p != end) return DecimalScan::kNotNumber;
  if (shape) {
    *shape = {static_cast<int>(integer_digits.size()), static_cast<int>(fraction_digits.size()),
              point, has_exponent};
  }

  std::int64_t power = 0;
  if (integer_digits.size() + fraction_digits.size() <= kIntegerDigits) {
    power = -static_cast<std::int64_t>(fraction_digits.size());
    if (significand >= kPowersOfTen[kExtendedDigits]) {
      // 19 digits: at most 18 significant ones only with a trailing zero.
      if (significand % 10 != 0) return DecimalScan::kLong;
      significand /= 10;
      ++power;
    }
    value.significand = significand;
    value.digit_count = static_cast<std::int16_t>(significand != 0 ? DigitCount(significand) : 0);
  } else if (const DecimalScan scan = ReadManyDigits(integer_digits, fraction_digits, value, power);
             scan != DecimalScan::kShort) {
    return scan;
  }
  if (value.significand == 0) return DecimalScan::kShort;
  power += exponent;
  const std::int64_t top = power + value.digit_count - 1;
  if (top > kNormalExponentLimit || top < -kNormalExponentLimit) return DecimalScan::kLong;
  value.exponent = static_cast<int>(power);
  return DecimalScan::kShort;
}

}  // namespace quorvex
