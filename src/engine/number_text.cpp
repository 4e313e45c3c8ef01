#include "number_text.h"

#include <locale.h>
#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

#include "decimal_powers.h"
#include "decimal_scan.h"

namespace quorvex {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Integers up to 2^53 and powers of ten up to 10^22 are doubles exactly, so that one product or
// quotient of the two, rounded once, is the double nearest to the decimal. Coordinates of
// drawings are nearly all such decimals: 16 ns a survey coordinate against 32 ns with
// from_chars behind the grammar check (December 2026).
constexpr std::uint64_t kLargestExactInteger = std::uint64_t{1} << 53;
constexpr int kLargestExactPowerOfTen = 22;
constexpr auto kExactPowersOfTen = Powers<double, kLargestExactPowerOfTen + 1>(10);

bool IsExactDouble(const ShortDecimal& decimal) {
  return decimal.significand <= kLargestExactInteger &&
         decimal.exponent <= kLargestExactPowerOfTen &&
         decimal.exponent >= -kLargestExactPowerOfTen;
}

double ExactDouble(const ShortDecimal& decimal) {
  auto value = static_cast<double>(decimal.significand);
  if (decimal.exponent >= 0) {
    value *= kExactPowersOfTen[static_cast<std::size_t>(decimal.exponent)];
  } else {
    value /= kExactPowersOfTen[static_cast<std::size_t>(-decimal.exponent)];
  }
  return decimal.negative ? -value : value;
}

// The C locale, so that conversions read "." whatever locale the process runs under.
locale_t CLocale() {
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return c_locale;
}

}  // namespace

bool IsDecimalText(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  bool digits = false;
  while (i < n && IsDigit(text[i]))
    ++i, digits = true;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && IsDigit(text[i]))
      ++i, digits = true;
  }
  if (!digits) return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    if (i >= n || !IsDigit(text[i])) return false;
    while (i < n && IsDigit(text[i]))
      ++i;
  }
  return i == n;
}

std::optional<double> ParseDouble(std::string_view text) {
  std::optional<ShortDecimal> decimal;
  return ParseDouble(text, decimal);
}

std::optional<double> ParseDouble(std::string_view text, std::optional<ShortDecimal>& decimal) {
  ShortDecimal scanned;
  decimal.reset();
  switch (ScanDecimal(text, scanned)) {
    case DecimalScan::kNotNumber:
      return std::nullopt;
    case DecimalScan::kShort:
      decimal = scanned;
      if (IsExactDouble(scanned)) return ExactDouble(scanned);
      break;
    case DecimalScan::kLong:
      break;
  }
  // from_chars takes no leading '+'; the grammar check above already refused inf, nan and hex.
  if (text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // from_chars leaves the value untouched out of range. An underflow is a zero of the right
    // sign; an overflow has no double to stand for it, so it is not a number here.
    std::string copy(text);
    const double limit_value = strtod_l(copy.c_str(), nullptr, CLocale());
    if (limit_value == HUGE_VAL || limit_value == -HUGE_VAL) return std::nullopt;
    return limit_value;
  }
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<long double> ParseLongDouble(std::string_view text) {
  if (!IsDecimalText(text)) return std::nullopt;
  std::string copy(text);
  const long double value = strtold_l(copy.c_str(), nullptr, CLocale());
  // Like an overflowing double, a value that no extended number stands for is not a number.
  if (value == HUGE_VALL || value == -HUGE_VALL) return std::nullopt;
  return value;
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
  // Every group code of a drawing passes through here, so this is a plain digit loop rather
  // than from_chars (measured: a fifth of a walk that reads polylines went to from_chars).
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
  if (i == text.size()) return std::nullopt;
  std::int64_t magnitude = 0;
  constexpr std::int64_t kLimit = std::int64_t{1} << 31;  // |INT32_MIN|
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return std::nullopt;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kLimit) return std::nullopt;
  }
  if (!negative && magnitude == kLimit) return std::nullopt;
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace quorvex
