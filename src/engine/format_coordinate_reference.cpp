#include <locale.h>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "format_coordinate.h"
#include "number_text.h"
#include "rounded_digits.h"

namespace quorvex {
namespace {

// The obviously right path: the 80-bit extended value printed to 18 significant digits by the C
// library in the C locale, then rounded on those digits.
void AppendExtended(long double value, int decimals, std::string& out) {
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  locale_t previous = uselocale(c_locale);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17Le", value);
  uselocale(previous);

  // buffer: [-]d.ddddddddddddddddde[+-]xx
  DecimalDigits digits;
  const char* p = buffer;
  if (*p == '-') digits.negative = true, ++p;
  digits.count = 0;
  for (; *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') digits.digits[digits.count++] = static_cast<char>(*p - '0');
  }
  digits.exponent = std::atoi(p + 1);
  AppendRoundedDigits(digits, decimals, out);
}

}  // namespace

bool FormatCoordinateReference(std::string_view text, int decimals, std::string& out) {
  const std::optional<long double> value = ParseLongDouble(text);
  if (!value) return false;
  AppendExtended(*value, decimals, out);
  return true;
}

void FormatComputedCoordinateReference(double value, std::string& out) {
  if (std::isnan(value)) {
    out.append("nan");
  } else if (std::isinf(value)) {
    out.append(value < 0 ? "-inf" : "inf");
  } else {
    // A double converts to the extended type exactly.
    AppendExtended(value, kComputedCoordinateDecimals, out);
  }
}

}  // namespace quorvex
