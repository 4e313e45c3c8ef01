#include "rounded_digits.h"

#include <algorithm>
#include <bit>
#include <charconv>
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

using Uint128 = unsigned __int128;

// Digit characters are assembled in registers, the first character in the lowest byte.
static_assert(std::endian::native == std::endian::little);

// The eight digits of n < 10^8 as characters, with leading zeros. Each step splits every lane
// of the register in two: 4 + 4 digits, then 2 + 2, then 1 + 1, by multiplications that stand
// for the divisions by 100 and 10 within the lane's range.
std::uint64_t EightDigitCharacters(std::uint32_t n) {
  std::uint64_t lanes = n / 10'000 | std::uint64_t{n % 10'000} << 32;
  std::uint64_t high = ((lanes * 10'486) >> 20) & 0x0000007F0000007F;
  lanes = high | (lanes - high * 100) << 16;
  high = ((lanes * 103) >> 10) & 0x000F000F000F000F;
  lanes = high | (lanes - high * 10) << 8;
  return lanes + 0x3030303030303030;
}

// The sixteen digits of n < 10^16 as characters, with leading zeros.
Uint128 SixteenDigitCharacters(std::uint64_t n) {
  return EightDigitCharacters(static_cast<std::uint32_t>(n / 100'000'000)) |
         Uint128{EightDigitCharacters(static_cast<std::uint32_t>(n % 100'000'000))} << 64;
}

void StoreSixteen(Uint128 characters, char* at) {
  std::memcpy(at, &characters, sizeof characters);
}

char* WriteZero(std::int64_t places, char* at) {
  *at++ = '0';
  if (places > 0) {
    *at++ = '.';
    std::memset(at, '0', static_cast<std::size_t>(places));
    at += places;
  }
  return at;
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

ShortDecimal RoundedDecimal(const ShortDecimal& value, int decimals) {
  const std::int64_t places = std::max(decimals, 0);
  // The rounded value is kept x 10^low, kept having kept_count digits.
  ShortDecimal rounded{.negative = value.negative};
  if (value.significand == 0) return rounded;
  const std::int64_t top = std::int64_t{value.exponent} + value.digit_count - 1;
  const std::int64_t low = std::max(-places, top - (kMaxSignificant - 1));
  const std::int64_t keep = top - low + 1;  // at most 14
  const std::int64_t drop = value.digit_count - keep;
  if (drop <= 0) {
    rounded.significand = value.significand * kPowersOfTen[static_cast<std::size_t>(-drop)];
    rounded.digit_count = static_cast<std::int16_t>(keep);
  } else if (drop <= value.digit_count) {
    // drop == digit_count keeps nothing: the leading digit is the first dropped one.
    const std::uint64_t unit = kPowersOfTen[static_cast<std::size_t>(drop)];
    rounded.significand = value.significand / unit;
    rounded.digit_count = static_cast<std::int16_t>(keep);
    if (value.significand - rounded.significand * unit >= unit / 2) {
      ++rounded.significand;
      if (rounded.significand == kPowersOfTen[static_cast<std::size_t>(rounded.digit_count)]) {
        ++rounded.digit_count;
      }
    }
  }
  // Otherwise the first dropped digit is a leading zero: the value rounds to zero.
  if (rounded.significand != 0) rounded.exponent = static_cast<int>(low);
  return rounded;
}

char* WriteRoundedDecimal(const ShortDecimal& value, int decimals, char* at) {
  const std::int64_t places = std::max(decimals, 0);
  const ShortDecimal rounded = RoundedDecimal(value, decimals);
  std::uint64_t kept = rounded.significand;
  int kept_count = rounded.digit_count;
  const std::int64_t low = rounded.exponent;
  if (kept == 0) return WriteZero(places, at);
  if (value.negative) *at++ = '-';

  const std::int64_t top = low + kept_count - 1;
  if (top >= kMaxSignificant) {
    // More than 14 integer digits: mantissa without trailing zeros, then the exponent.
    while (kept % 10 == 0)
      kept /= 10, --kept_count;
    char digits[16];  // kept, right-aligned
    StoreSixteen(SixteenDigitCharacters(kept), digits);
    *at++ = digits[16 - kept_count];
    if (kept_count > 1) {
      *at++ = '.';
      std::memcpy(at, digits + 16 - kept_count + 1, static_cast<std::size_t>(kept_count - 1));
      at += kept_count - 1;
    }
    *at++ = 'E';
    *at++ = '+';
    return std::to_chars(at, at + 8, top).ptr;
  }

  // Fixed notation; here low <= 0, so the kept digits reach the point or stand behind it.
  const int integer_count = static_cast<int>(std::max<std::int64_t>(kept_count + low, 0));
  const int shown = std::max(integer_count, 1);  // "0" before the point of a fraction
  if (shown + places <= 16) {
    // Nearly every coordinate: the digits of the whole text, without its point, are one
    // integer below 10^16, turned into characters in registers and stored in two wide stores,
    // with the point between them. Characters stored one pair at a time and then read back
    // whole waited on those stores: with this and the data line written through a pointer, the
    // mixed drawing took 0.95 s of CPU against 1.11 s (December 2026).
    const Uint128 digits =
        SixteenDigitCharacters(kept * kPowersOfTen[static_cast<std::size_t>(low + places)]);
    const auto total = static_cast<int>(shown + places);
    StoreSixteen(digits >> (8 * (16 - total)), at);
    if (places == 0) return at + shown;
    at[shown] = '.';
    StoreSixteen(digits >> (8 * (16 - places)), at + shown + 1);
    return at + shown + 1 + places;
  }
  // Long texts: zeros, into which the digits and the point are copied.
  const std::size_t size =
      static_cast<std::size_t>(shown) + (places > 0 ? 1 + static_cast<std::size_t>(places) : 0);
  std::memset(at, '0', size);
  char digits[16];  // kept, right-aligned
  StoreSixteen(SixteenDigitCharacters(kept), digits);
  const char* const first = digits + 16 - kept_count;
  std::memcpy(at, first, static_cast<std::size_t>(integer_count));
  if (places > 0) {
    at[shown] = '.';
    // The last kept digit stands at the place 10^low, that is -low places after the point.
    const int fraction_count = kept_count - integer_count;
    std::memcpy(at + shown + 1 - low - fraction_count, first + integer_count,
                static_cast<std::size_t>(fraction_count));
  }
  return at + size;
}

void AppendRoundedDecimal(const ShortDecimal& value, int decimals, std::string& out) {
  const std::size_t start = out.size();
  out.resize(start + RoundedDecimalRoom(decimals));
  const char* const end = WriteRoundedDecimal(value, decimals, out.data() + start);
  out.resize(static_cast<std::size_t>(end - out.data()));
}

}  // namespace quorvex
