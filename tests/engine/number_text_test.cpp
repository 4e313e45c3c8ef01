#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <locale.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace quorvex {
namespace {

TEST(NumberTextTest, DecimalGrammar) {
  const char* const kAccepted[] = {"0",    "+5",    "-0",       ".5",      "5.",      "1E5",
                                   "1e-5", "1e+05", "00012.50", "-1.5E+2", "1e999999"};
  // ParseDouble reads the same grammar in its own single pass.
  for (const char* text : kAccepted) {
    EXPECT_TRUE(IsDecimalText(text)) << '"' << text << '"';
    if (std::string_view(text) != "1e999999") {
      EXPECT_TRUE(ParseDouble(text)) << '"' << text << '"';
    }
  }
  const char* const kRejected[] = {"",      " 1",    "1 ",    "inf", "nan", "0x10",    "1,5",
                                   "1.2.3", "+",     "-",     ".",   "e5",  "1e",      "1e+",
                                   "+-1",   "1e5.5", "1_000", "\t1", "+.",  "infinity"};
  for (const char* text : kRejected) {
    EXPECT_FALSE(IsDecimalText(text)) << '"' << text << '"';
    EXPECT_EQ(ParseDouble(text), std::nullopt) << '"' << text << '"';
  }
}

TEST(NumberTextTest, ParseDouble) {
  EXPECT_EQ(ParseDouble("+1.5"), 1.5);
  EXPECT_EQ(ParseDouble("0.1"), 0.1);
  EXPECT_EQ(ParseDouble("-2.5e3"), -2500.0);
  const std::optional<double> negative_zero = ParseDouble("-0");
  ASSERT_TRUE(negative_zero);
  EXPECT_TRUE(*negative_zero == 0 && std::signbit(*negative_zero));
  // Too large for a double is not a number; too small is zero of its sign.
  EXPECT_EQ(ParseDouble("1e400"), std::nullopt);
  EXPECT_EQ(ParseDouble("-1e400"), std::nullopt);
  EXPECT_EQ(ParseDouble("1e-400"), 0.0);
  const std::optional<double> negative_underflow = ParseDouble("-1e-400");
  ASSERT_TRUE(negative_underflow);
  EXPECT_TRUE(*negative_underflow == 0 && std::signbit(*negative_underflow));
  EXPECT_EQ(ParseDouble("inf"), std::nullopt);
  EXPECT_EQ(ParseDouble("nan"), std::nullopt);
  EXPECT_EQ(ParseDouble("1,5"), std::nullopt);
  EXPECT_EQ(ParseDouble(""), std::nullopt);
}

// Decimals on both sides of the exact product or quotient that most texts take: significands
// beside 2^53, exponents beside 22, 17 to 20 digits, against the C library's reading.
TEST(NumberTextTest, ParseDoubleAgreesWithStrtodOnRandomDecimals) {
  const locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  std::mt19937_64 random(20261211);
  for (int i = 0; i < 300'000; ++i) {
    std::string digits;
    if (random() % 4 == 0) {
      digits = std::to_string((std::uint64_t{1} << 53) - 2 + random() % 5);
    } else {
      const int count = 1 + static_cast<int>(random() % 20);
      for (int d = 0; d < count; ++d)
        digits += static_cast<char>('0' + random() % 10);
    }
    const std::size_t point = random() % (digits.size() + 1);
    std::string text = random() % 2 == 0 ? "-" : "";
    text.append(digits, 0, point);
    if (random() % 2 == 0) text += '.';
    text.append(digits, point);
    if (random() % 2 == 0) {
      text += 'e';
      text += std::to_string(static_cast<int>(random() % 61) - 30);
    }
    const std::optional<double> value = ParseDouble(text);
    ASSERT_TRUE(value) << text;
    const double expected = strtod_l(text.c_str(), nullptr, c_locale);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(*value), std::bit_cast<std::uint64_t>(expected)) << text;
  }
  freelocale(c_locale);
}

TEST(NumberTextTest, ParseLongDouble) {
  EXPECT_EQ(ParseLongDouble("0.1"), 0.1L);
  EXPECT_EQ(ParseLongDouble("+2.5"), 2.5L);
  // The extended range reaches beyond the double's.
  const std::optional<long double> large = ParseLongDouble("1e4000");
  ASSERT_TRUE(large);
  EXPECT_TRUE(std::isfinite(*large) && *large > 1e308L);
  EXPECT_EQ(ParseLongDouble("1e5000"), std::nullopt);
  EXPECT_EQ(ParseLongDouble("-1e5000"), std::nullopt);
  EXPECT_EQ(ParseLongDouble("1e-5000"), 0.0L);
  EXPECT_EQ(ParseLongDouble("1,5"), std::nullopt);
  EXPECT_EQ(ParseLongDouble("nan"), std::nullopt);
}

TEST(NumberTextTest, ParseInt32) {
  EXPECT_EQ(ParseInt32("+5"), 5);
  EXPECT_EQ(ParseInt32("-0"), 0);
  EXPECT_EQ(ParseInt32("007"), 7);
  EXPECT_EQ(ParseInt32("2147483647"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(ParseInt32("-2147483648"), std::numeric_limits<std::int32_t>::min());
  const char* const kRejected[] = {"2147483648", "-2147483649", "",   "+",  "-",    "+-5",
                                   "1.0",        "1e3",         " 5", "5 ", "0x10", "--5"};
  for (const char* text : kRejected) {
    EXPECT_EQ(ParseInt32(text), std::nullopt) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace quorvex
