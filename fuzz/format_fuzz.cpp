// Numbers read and written by the fast paths against the slow, obviously right ones. The first
// byte of an input chooses a number of decimals (-2 to 29), the bytes after it are a text, and
// the first eight bytes after it, when there are eight, are also the bits of a double. For
// every input:
//   - FormatCoordinate gives what FormatCoordinateReference gives, number or not;
//   - FormatComputedCoordinate gives what FormatComputedCoordinateReference gives;
//   - a computed coordinate written from its decimal gives what its 15-decimal text gives;
//   - ParseDouble reads what the C library's strtod reads in the C locale, and refuses what the
//     decimal grammar refuses and what no double stands for;
//   - a number written from the decimal it was read as, when that is its own computed decimal,
//     gives what its double gives.

#include <locale.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "engine/format_coordinate.h"
#include "engine/number_text.h"
#include "engine/rounded_digits.h"

namespace quorvex {
namespace {

[[noreturn]] void Fail(const char* what, std::string_view text, int decimals, std::string_view fast,
                       std::string_view slow) {
  std::fprintf(
      stderr, "format_fuzz: %s\n  text \"%.*s\", %d decimals\n  fast \"%.*s\"\n  slow \"%.*s\"\n",
      what, static_cast<int>(text.size()), text.data(), decimals, static_cast<int>(fast.size()),
      fast.data(), static_cast<int>(slow.size()), slow.data());
  std::abort();
}

void CheckFormat(std::string_view text, int decimals) {
  std::string fast, slow;
  const bool fast_ok = FormatCoordinate(text, decimals, fast);
  const bool slow_ok = FormatCoordinateReference(text, decimals, slow);
  if (fast_ok != slow_ok || fast != slow) Fail("FormatCoordinate", text, decimals, fast, slow);
}

void CheckComputed(double value, int decimals) {
  std::string fast, slow;
  FormatComputedCoordinate(value, fast);
  FormatComputedCoordinateReference(value, slow);
  if (fast != slow) Fail("FormatComputedCoordinate", {}, decimals, fast, slow);
  if (!std::isfinite(value)) return;
  std::string direct, through_text;
  AppendRoundedDecimal(ComputedCoordinateDecimal(value), decimals, direct);
  FormatCoordinate(fast, decimals, through_text);
  if (direct != through_text)
    Fail("ComputedCoordinateDecimal", fast, decimals, direct, through_text);
}

void CheckParse(std::string_view text) {
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  const std::optional<double> fast = ParseDouble(text);
  std::optional<double> slow;
  if (IsDecimalText(text)) {
    const std::string copy(text);
    const double value = strtod_l(copy.c_str(), nullptr, c_locale);
    if (value != HUGE_VAL && value != -HUGE_VAL) slow = value;
  }
  const auto bits = [](std::optional<double> value) {
    return value ? std::to_string(std::bit_cast<std::uint64_t>(*value)) : std::string("none");
  };
  if (fast.has_value() != slow.has_value() ||
      (fast && std::bit_cast<std::uint64_t>(*fast) != std::bit_cast<std::uint64_t>(*slow))) {
    Fail("ParseDouble", text, 0, bits(fast), bits(slow));
  }
}

void CheckOwnDecimal(std::string_view text, int decimals) {
  std::optional<ShortDecimal> decimal;
  const std::optional<double> value = ParseDouble(text, decimal);
  if (!value || !decimal || !IsOwnComputedDecimal(*decimal)) return;
  std::string from_decimal, from_double;
  AppendRoundedDecimal(*decimal, decimals, from_decimal);
  AppendRoundedDecimal(ComputedCoordinateDecimal(*value), decimals, from_double);
  if (from_decimal != from_double)
    Fail("IsOwnComputedDecimal", text, decimals, from_decimal, from_double);
}

}  // namespace
}  // namespace quorvex

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  using namespace quorvex;
  if (size == 0) return 0;
  const int decimals = bytes[0] % 32 - 2;
  const std::string_view text(reinterpret_cast<const char*>(bytes + 1), size - 1);
  CheckFormat(text, decimals);
  CheckParse(text);
  CheckOwnDecimal(text, decimals);
  if (text.size() >= sizeof(double)) {
    double value;
    std::memcpy(&value, text.data(), sizeof value);
    CheckComputed(value, decimals);
  }
  return 0;
}
