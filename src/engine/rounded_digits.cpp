#include "rounded_digits.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "decimal_powers.h"

namespace quorvex {
namespace {

constexpr int kMaxSignificant = 14;

void AppendExponent(int exponent, std::string& out) {
  out.push_back('E');
  out.push_back(exponent < 0 ? '-' : '+');
  unsigned magnitude = exponent < 0 ? -static_cast<unsigned>(exponent) : exponent;
  char buffer[12];
  int n = 0;
  do {
    buffer[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (n > 0)
    out.push_back(buffer[--n]);
}

// "00" "01" ... "99": two digits per division by 100.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

void WriteFourDigits(std::uint32_t n, char* at) {
  std::memcpy(at, &kDigitPairs[2 * std::size_t{n / 100}], 2);
  std::memcpy(at + 2, &kDigitPairs[2 * std::size_t{n % 100}], 2);
}

// Writes n < 10^16 as 16 digits, leading zeros included. Four independent short chains of
// divisions by constants: quicker than a digit loop, whose divisions wait on one another.
[[gnu::always_inline]] inline void WriteSixteenDigits(std::uint64_t n, char* at) {
  const auto high = static_cast<std::uint32_t>(n / 100'000'000);
  const auto low = static_cast<std::uint32_t>(n % 100'000'000);
  WriteFourDigits(high / 10'000, at);
  WriteFourDigits(high % 10'000, at + 4);
  WriteFourDigits(low / 10'000, at + 8);
  WriteFourDigits(low % 10'000, at + 12);
}

void AppendZero(std::int64_t places, std::string& out) {
  out.push_back('0');
  if (places > 0) {
    out.push_back('.');
    out.append(static_cast<std::size_t>(places), '0');
  }
}

}  // namespace

void AppendRoundedDigits(const DecimalDigits& value, int decimals, std::string& out) {
  if (decimals < 0) decimals = 0;

  // Skip leading zero digits so that d[0] is the first significant digit.
  int first = 0;
  while (first < value.count && value.digits[first] == 0)
    ++first;
  char kept[kMaxSignificant + 1];
  int exponent = value.exponent - first;
  int kept_count = 0;
  bool zero = first == value.count;
  if (!zero) {
    // Places kept: down to 10^-decimals, and no more than 14 significant digits.
    long long wanted = static_cast<long long>(exponent) + 1 + decimals;
    int keep = static_cast<int>(std::min<long long>(wanted, kMaxSignificant));
    const int available = value.count - first;
    if (keep < 0) {
      zero = true;  // the first dropped digit is a leading zero: rounds to zero
    } else {
      for (int i = 0; i < keep; ++i)
        kept[i] = i < available ? value.digits[first + i] : 0;
      kept_count = keep;
      const char dropped = keep < available ? value.digits[first + keep] : 0;
      if (dropped >= 5) {
        int i = keep - 1;
        while (i >= 0 && kept[i] == 9)
          kept[i--] = 0;
        if (i >= 0) {
          ++kept[i];
        } else {
          // Carry out of the top digit: the value is now 10^(exponent+1).
          kept[0] = 1;
          std::fill(kept + 1, kept + std::max(keep, 1), 0);
          ++exponent;
          if (keep == 0) kept_count = 1;
        }
      }
      zero = std::all_of(kept, kept + kept_count, [](char d) { return d == 0; });
    }
  }

  if (zero) {
    AppendZero(decimals, out);
    return;
  }
  if (value.negative) out.push_back('-');

  if (exponent >= kMaxSignificant) {
    // More than 14 integer digits: mantissa without trailing zeros, then the exponent.
    int last = std::min(kept_count, kMaxSignificant);
    while (last > 1 && kept[last - 1] == 0)
      --last;
    out.push_back(static_cast<char>('0' + kept[0]));
    if (last > 1) {
      out.push_back('.');
      for (int i = 1; i < last; ++i)
        out.push_back(static_cast<char>('0' + kept[i]));
    }
    AppendExponent(exponent, out);
    return;
  }

  // Fixed notation. Digit i of `kept` stands at the place 10^(exponent - i).
  auto digit_at = [&](int place) -> char {
    const int i = exponent - place;
    return static_cast<char>('0' + (i >= 0 && i < kept_count ? kept[i] : 0));
  };
  for (int place = std::max(exponent, 0); place >= 0; --place)
    out.push_back(digit_at(place));
  if (decimals > 0) {
    out.push_back('.');
    const std::size_t start = out.size();
    out.append(static_cast<std::size_t>(decimals), '0');
    // Only the first few places below the point can hold kept digits.
    const int last_place = exponent - kept_count + 1;
    for (int place = -1; place >= last_place && -place <= decimals; --place) {
      out[start + static_cast<std::size_t>(-place - 1)] = digit_at(place);
    }
  }
}

void AppendRoundedDecimal(const ShortDecimal& value, int decimals, std::string& out) {
  const std::int64_t places = std::max(decimals, 0);
  // The rounded value is kept x 10^low, kept having kept_count digits.
  std::uint64_t kept = 0;
  int kept_count = 0;
  std::int64_t low = 0;
  if (value.significand != 0) {
    const std::int64_t top = std::int64_t{value.exponent} + value.digit_count - 1;
    low = std::max(-places, top - (kMaxSignificant - 1));
    const std::int64_t keep = top - low + 1;  // at most 14
    const std::int64_t drop = value.digit_count - keep;
    if (drop <= 0) {
      kept = value.significand * kPowersOfTen[static_cast<std::size_t>(-drop)];
      kept_count = static_cast<int>(keep);
    } else if (drop <= value.digit_count) {
      // drop == digit_count keeps nothing: the leading digit is the first dropped one.
      const std::uint64_t unit = kPowersOfTen[static_cast<std::size_t>(drop)];
      kept = value.significand / unit;
      kept_count = static_cast<int>(keep);
      if (value.significand - kept * unit >= unit / 2) {
        ++kept;
        if (kept == kPowersOfTen[kept_count]) ++kept_count;
      }
    }
    // Otherwise the first dropped digit is a leading zero: the value rounds to zero.
  }
  if (kept == 0) {
    AppendZero(places, out);
    return;
  }

  const std::int64_t top = low + kept_count - 1;
  if (top >= kMaxSignificant) {
    // More than 14 integer digits: mantissa without trailing zeros, then the exponent.
    while (kept % 10 == 0)
      kept /= 10, --kept_count;
    char buffer[16];  // kept, right-aligned
    WriteSixteenDigits(kept, buffer);
    const char* const digits = buffer + sizeof buffer - kept_count;
    if (value.negative) out.push_back('-');
    out.push_back(digits[0]);
    if (kept_count > 1) {
      out.push_back('.');
      out.append(digits + 1, static_cast<std::size_t>(kept_count - 1));
    }
    AppendExponent(static_cast<int>(top), out);
    return;
  }

  // Fixed notation; here low <= 0, so the kept digits reach the point or stand behind it. The
  // text starts as zeros, into which the sign, the digits and the point are written.
  char digits_buffer[32];  // kept right-aligned in the first 16, then zeros
  WriteSixteenDigits(kept, digits_buffer);
  std::memset(digits_buffer + 16, '0', 16);
  const char* const digits = digits_buffer + 16 - kept_count;
  const int integer_count = static_cast<int>(std::max<std::int64_t>(kept_count + low, 0));
  const int fraction_count = kept_count - integer_count;
  const std::size_t size = (value.negative ? 1 : 0) +
                           static_cast<std::size_t>(std::max(integer_count, 1)) +
                           (places > 0 ? 1 + static_cast<std::size_t>(places) : 0);
  auto compose = [&](char* p, std::size_t integer_copy, std::size_t fraction_copy) {
    if (value.negative) *p++ = '-';
    if (integer_count > 0) std::memcpy(p, digits, integer_copy);
    p += std::max(integer_count, 1);
    if (places > 0) {
      *p = '.';
      // The last kept digit stands at the place 10^low, that is -low places after the point.
      std::memcpy(p + 1 - low - fraction_count, digits + integer_count, fraction_copy);
    }
  };
  // Short texts (nearly all) are composed in a local buffer by fixed-size copies, whose excess
  // falls on places written later or beyond the text: about 10% quicker than exact copies
  // into the string.
  constexpr std::size_t kShortText = 48;
  if (size <= kShortText) {
    char text[kShortText + 16];
    std::memset(text, '0', sizeof text);
    compose(text, 16, 16);
    out.append(text, size);
  } else {
    const std::size_t start = out.size();
    out.append(size, '0');
    compose(out.data() + start, static_cast<std::size_t>(integer_count),
            static_cast<std::size_t>(fraction_count));
  }
}

}  // namespace quorvex
