#include "rounded_digits.h"

#include <algorithm>

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
    out.push_back('0');
    if (decimals > 0) {
      out.push_back('.');
      out.append(static_cast<std::size_t>(decimals), '0');
    }
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

}  // namespace quorvex
