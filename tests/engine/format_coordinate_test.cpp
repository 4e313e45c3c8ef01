#include "engine/format_coordinate.h"
#include "engine/number_text.h"
#include "engine/rounded_digits.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace quorvex {
namespace {

struct FormatCase {
  const char* name;
  const char* text;
  int decimals;
  const char* expected;
};

// Expected texts worked out by hand from the rule: 18 digits of the extended value, then the
// first dropped digit decides.
const FormatCase kFormatCases[] = {
    {"first dropped digit rounds up", "12.34567", 3, "12.346"},
    {"negative half", "-0.5", 3, "-0.500"},
    {"exponent form", "1.5E2", 3, "150.000"},
    {"tie rounds the magnitude up", "0.0005", 3, "0.001"},
    {"negative tie rounds the magnitude up", "-0.0005", 3, "-0.001"},
    {"rounds to zero from below, no sign", "-0.0004", 3, "0.000"},
    {"many nines round to zero from below", "-0.00049999", 3, "0.000"},
    {"negative zero has no sign", "-0", 3, "0.000"},
    {"14 significant digits then zeros", "1234567890.123456789", 8, "1234567890.12350000"},
    {"tie that binary formatting rounds down", "2.675", 2, "2.68"},
    {"rounds up to one", "0.9995", 3, "1.000"},
    {"negative rounds up to minus one", "-0.9996", 3, "-1.000"},
    {"carry through every digit", "9999.9995", 3, "10000.000"},
    {"carry through 14 digits", "99.99999999999995", 3, "100.000"},
    {"realistic easting", "2567890.123456", 3, "2567890.123"},
    {"short fraction is filled", "-1234567.8", 3, "-1234567.800"},
    {"long fraction is rounded", "5432109.87654321", 3, "5432109.877"},
    {"beside 1E14 stays fixed", "99999999999999.4", 0, "99999999999999"},
    {"rounds up to 1E14", "99999999999999.5", 0, "1E+14"},
    {"rounds up to 1E14 with decimals", "99999999999999.5", 3, "1E+14"},
    {"rounds down to minus 1E14", "-99999999999999.5", 0, "-1E+14"},
    {"14-digit integer, no decimals", "12345678901234", 0, "12345678901234"},
    {"14-digit integer with decimals", "12345678901234", 3, "12345678901234.000"},
    {"15-digit integer is scientific", "123456789012345", 0, "1.2345678901235E+14"},
    {"14-digit mantissa", "1.2345678901234E+14", 3, "1.2345678901234E+14"},
    {"trailing zeros of the mantissa removed", "1500000000000000", 3, "1.5E+15"},
    {"bare mantissa", "-2e20", 3, "-2E+20"},
    {"scientific ignores decimals", "1.5E15", 20, "1.5E+15"},
    {"many trailing integer zeros", "12000000000000000000000000", 0, "1.2E+25"},
    {"beyond the double range", "1e400", 0, "1E+400"},
    {"near the top of the fast range", "1e4900", 3, "1E+4900"},
    {"no decimals, no point", "2.5", 0, "3"},
    {"no decimals, negative", "-2.5", 0, "-3"},
    {"no decimals, zero", "0.4", 0, "0"},
    {"negative decimals count as zero", "2.5", -3, "3"},
    {"many decimals are filled with zeros", "1.5", 20, "1.50000000000000000000"},
    {"places beyond 14 digits are zeros", "0.1", 20, "0.10000000000000000000"},
    {"tiny value with many decimals", "1e-30", 40, "0.0000000000000000000000000000010000000000"},
    {"longer than 48 characters", "-1.25e-40", 50,
     "-0.00000000000000000000000000000000000000012500000000"},
    {"small exponent", "1e-5", 5, "0.00001"},
    {"small exponent rounds to zero", "1e-5", 3, "0.000"},
    {"underflow of the extended range", "-1.5e-4950", 3, "0.000"},
    {"zero with a large exponent", "0e99999", 3, "0.000"},
    {"leading zeros are not significant", "0000000000000000000000012.5", 1, "12.5"},
    {"trailing zeros are not significant", "12.500000000000000000000000", 1, "12.5"},
    {"18 digits are taken as written", "0.000499999999999999999", 3, "0.000"},
    {"20 digits take the extended rounding", "0.00049999999999999999999", 3, "0.001"},
    {"18 digits with 17 decimals", "0.123456789012345678", 17, "0.12345678901235000"},
    {"leading plus", "+5", 3, "5.000"},
    {"no integer digits", ".5", 3, "0.500"},
    {"no fraction digits", "5.", 3, "5.000"},
    {"upper-case exponent", "1E5", 3, "100000.000"},
    {"negative exponent", "1e-5", 6, "0.000010"},
    {"exponent with plus", "1e+2", 1, "100.0"},
    {"as written, zeros appended", "529325.74", 3, "529325.740"},
    {"as written, a point and no places", "5.", 0, "5"},
    {"as written, a point and places", "-5.", 2, "-5.00"},
    {"negative zero with decimals", "-0.00", 3, "0.000"},
    {"zero with more places than written", "0.000", 5, "0.00000"},
    {"leading zeros before the point", "007.5", 2, "7.50"},
    {"14 digits as written", "1234567.1234567", 8, "1234567.12345670"},
    {"15 digits are rounded", "1234567.12345678", 8, "1234567.12345680"},
};

// Each case appends to text already in `out`.
TEST(FormatCoordinateTest, FormatsTheTableOfCases) {
  for (const FormatCase& row : kFormatCases) {
    SCOPED_TRACE(row.name);
    std::string fast = "|";
    std::string reference = "|";
    ASSERT_TRUE(FormatCoordinate(row.text, row.decimals, fast));
    ASSERT_TRUE(FormatCoordinateReference(row.text, row.decimals, reference));
    EXPECT_EQ(fast, std::string("|") + row.expected);
    EXPECT_EQ(reference, std::string("|") + row.expected);
  }
}

TEST(FormatCoordinateTest, RefusesTextsThatAreNotNumbers) {
  const char* const kBadTexts[] = {
      "",   " 1",  "1 ",  "inf", "nan",   "0x10", "1,5", "1.2.3", "+",      "-",   ".",        "e5",
      "1e", "1e+", "+-1", "--1", "1e5.5", "1d5",  "1..", "+.",    "1e5000", "\t1", "infinity",
  };
  for (const char* text : kBadTexts) {
    SCOPED_TRACE(std::string("text \"") + text + "\"");
    std::string fast = "|";
    std::string reference = "|";
    EXPECT_FALSE(FormatCoordinate(text, 3, fast));
    EXPECT_FALSE(FormatCoordinateReference(text, 3, reference));
    EXPECT_EQ(fast, "|");
    EXPECT_EQ(reference, "|");
  }
}

TEST(FormatCoordinateTest, FormatsComputedCoordinates) {
  const struct {
    const char* name;
    double value;
    const char* expected;
  } kCases[] = {
      {"places beyond 14 digits are zeros", 0.1, "0.100000000000000"},
      {"binary value below a tie", 2.675, "2.675000000000000"},
      {"18-digit rounding carries into the first dropped digit", 0.0013266597288485,
       "0.001326659728849"},
      {"14 significant digits", 1.0 / 3, "0.333333333333330"},
      {"negative", -2.0 / 3, "-0.666666666666670"},
      {"realistic coordinate", 2567890.1234567, "2567890.123456700000000"},
      {"negative zero", -0.0, "0.000000000000000"},
      {"rounds up at the 15th decimal", 5e-16, "0.000000000000001"},
      {"rounds down at the 15th decimal", 4.9e-16, "0.000000000000000"},
      {"rounding noise", 6.123233995736766e-17, "0.000000000000000"},
      {"smallest subnormal", std::numeric_limits<double>::denorm_min(), "0.000000000000000"},
      {"rounds up to 1E14", 99999999999999.98, "1E+14"},
      {"scientific", 1e15, "1E+15"},
      {"large", 1.5e22, "1.5E+22"},
      {"beyond the integer fast range", -1e300, "-1E+300"},
      {"infinity", std::numeric_limits<double>::infinity(), "inf"},
      {"negative infinity", -std::numeric_limits<double>::infinity(), "-inf"},
      {"not a number", std::numeric_limits<double>::quiet_NaN(), "nan"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    std::string fast = "|";
    std::string reference = "|";
    FormatComputedCoordinate(row.value, fast);
    FormatComputedCoordinateReference(row.value, reference);
    EXPECT_EQ(fast, std::string("|") + row.expected);
    EXPECT_EQ(reference, std::string("|") + row.expected);
  }
}

// The fast paths against the literal 80-bit path on pseudo-random input. The sanitizer build
// runs fewer, as it is many times slower.
#ifdef QUORVEX_SANITIZED_BUILD
constexpr int kRandomCount = 300'000;
#else
constexpr int kRandomCount = 1'500'000;
#endif

// Digit strings shaped to reach the rounding boundaries: runs of nines that carry, a 4 followed
// by nines, a 5 followed by zeros, besides plain random digits.
std::string RandomDigits(std::mt19937_64& random, int count) {
  std::string digits;
  const int shape = static_cast<int>(random() % 4);
  const int prefix = static_cast<int>(random() % static_cast<unsigned>(count + 1));
  for (int i = 0; i < count; ++i) {
    char digit = static_cast<char>('0' + random() % 10);
    if (i >= prefix && shape == 1) digit = '9';
    if (i >= prefix && shape == 2) digit = i == prefix ? '4' : '9';
    if (i >= prefix && shape == 3) digit = i == prefix ? '5' : '0';
    digits.push_back(digit);
  }
  return digits;
}

std::string RandomNumberText(std::mt19937_64& random) {
  std::string text;
  const auto sign = random() % 10;
  if (sign < 4) text.push_back('-');
  if (sign == 4) text.push_back('+');
  if (random() % 8 == 0) text.append(random() % 2 == 0 ? "0" : "000");
  const int count = 1 + static_cast<int>(random() % 20);
  std::string digits = RandomDigits(random, count);
  const int point = static_cast<int>(random() % static_cast<unsigned>(count + 2)) - 1;
  if (point >= 0) digits.insert(static_cast<std::size_t>(point), 1, '.');
  text += digits;
  const unsigned exponent_kind = random() % 256;
  if (exponent_kind < 64) {
    text.push_back(random() % 2 == 0 ? 'e' : 'E');
    const auto exponent_sign = random() % 3;
    if (exponent_sign == 1) text.push_back('-');
    if (exponent_sign == 2) text.push_back('+');
    // Mostly small; now and then beside the ends of the extended range.
    const auto magnitude = exponent_kind == 0 ? 4880 + random() % 80 : random() % 30;
    text += std::to_string(magnitude);
  }
  return text;
}

int RandomDecimals(std::mt19937_64& random) {
  const auto kind = random() % 20;
  if (kind == 0) return -1;
  if (kind == 1) return 16 + static_cast<int>(random() % 50);
  return static_cast<int>(random() % 16);
}

TEST(FormatCoordinateTest, FastPathAgreesWithReferenceOnRandomTexts) {
  std::mt19937_64 random(20240611);
  std::string fast;
  std::string reference;
  for (int i = 0; i < kRandomCount; ++i) {
    const std::string text = RandomNumberText(random);
    const int decimals = RandomDecimals(random);
    fast.clear();
    reference.clear();
    const bool fast_ok = FormatCoordinate(text, decimals, fast);
    const bool reference_ok = FormatCoordinateReference(text, decimals, reference);
    if (fast_ok != reference_ok || fast != reference) {
      FAIL() << "text \"" << text << "\" with " << decimals << " decimals: fast \"" << fast
             << "\", reference \"" << reference << "\"";
    }
  }
}

// Doubles of every kind: computed like real coordinates, nearest to short decimals (where the
// 18-digit rounding is closest to the boundaries) and their neighbours, every binary exponent
// around the integer path's range, and any bit pattern at all.
double RandomDouble(std::mt19937_64& random) {
  switch (random() % 8) {
    case 0:
    case 1: {
      std::uniform_real_distribution<double> coordinate(-1e7, 1e7);
      std::uniform_real_distribution<double> angle(0, 6.283185307179586);
      return coordinate(random) + std::cos(angle(random)) * coordinate(random) * 1e-3;
    }
    case 2:
    case 3:
    case 4: {
      std::string text = std::to_string(random() % 100'000'000);
      text += '.' + RandomDigits(random, 1 + static_cast<int>(random() % 12));
      double value = 0;
      std::from_chars(text.data(), text.data() + text.size(), value);
      const auto step = random() % 3;
      if (step == 1) value = std::nextafter(value, 0.0);
      if (step == 2) value = std::nextafter(value, 1e300);
      return random() % 2 == 0 ? value : -value;
    }
    case 5:
    case 6: {
      const int exponent = -70 + static_cast<int>(random() % 160);
      const double mantissa = 1.0 + static_cast<double>(random() >> 11) * 0x1p-53;
      return std::ldexp(random() % 2 == 0 ? mantissa : -mantissa, exponent);
    }
    default: {
      return std::bit_cast<double>(random());
    }
  }
}

TEST(FormatCoordinateTest, ComputedPathAgreesWithReferenceOnRandomDoubles) {
  std::mt19937_64 random(19700101);
  std::string fast;
  std::string reference;
  for (int i = 0; i < kRandomCount; ++i) {
    const double value = RandomDouble(random);
    fast.clear();
    reference.clear();
    FormatComputedCoordinate(value, fast);
    FormatComputedCoordinateReference(value, reference);
    if (fast != reference) {
      FAIL() << "value " << std::hexfloat << value << ": fast \"" << fast << "\", reference \""
             << reference << "\"";
    }
  }
}

// A computed coordinate goes to the data line as a decimal, without its text: with any number of
// decimals it must give what the text gives.
TEST(FormatCoordinateTest, ComputedDecimalWritesAsItsText) {
  std::mt19937_64 random(20251211);
  std::string text;
  std::string through_text;
  std::string direct;
  for (int i = 0; i < kRandomCount; ++i) {
    const double value = RandomDouble(random);
    if (!std::isfinite(value)) continue;
    const int decimals = RandomDecimals(random);
    text.clear();
    through_text.clear();
    direct.clear();
    FormatComputedCoordinate(value, text);
    ASSERT_TRUE(FormatCoordinate(text, decimals, through_text));
    AppendRoundedDecimal(ComputedCoordinateDecimal(value), decimals, direct);
    if (direct != through_text) {
      FAIL() << "value " << std::hexfloat << value << " with " << decimals << " decimals: \""
             << direct << "\", through its text \"" << through_text << "\"";
    }
  }
}

// A number read from a text and handed on unchanged is written from the decimal it was read as
// when that is its own computed decimal: then it must give what its double gives.
TEST(FormatCoordinateTest, OwnComputedDecimalWritesAsItsDouble) {
  std::mt19937_64 random(20261212);
  std::string from_decimal;
  std::string from_double;
  int compared = 0;
  for (int i = 0; i < kRandomCount; ++i) {
    const std::string text = RandomNumberText(random);
    std::optional<ShortDecimal> decimal;
    const std::optional<double> value = ParseDouble(text, decimal);
    if (!value || !decimal || !IsOwnComputedDecimal(*decimal)) continue;
    ++compared;
    const int decimals = RandomDecimals(random);
    from_decimal.clear();
    from_double.clear();
    AppendRoundedDecimal(*decimal, decimals, from_decimal);
    AppendRoundedDecimal(ComputedCoordinateDecimal(*value), decimals, from_double);
    if (from_decimal != from_double) {
      FAIL() << "text \"" << text << "\" with " << decimals << " decimals: from its decimal \""
             << from_decimal << "\", from its double \"" << from_double << "\"";
    }
  }
  EXPECT_GT(compared, kRandomCount / 4);
}

}  // namespace
}  // namespace quorvex
