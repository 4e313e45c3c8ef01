#include "locale_formats.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>

namespace quorvex {

void AdoptUserTimeFormats() {
  std::setlocale(LC_TIME, "");
}

std::string SeparatorOfPattern(std::string_view pattern, std::string_view fallback) {
  std::size_t i = pattern.find('%');
  if (i == std::string_view::npos) return std::string(fallback);
  ++i;
  // Flags, a width and the E/O modifiers may stand between "%" and the conversion letter.
  while (i < pattern.size() && std::strchr("_-0^#EO123456789", pattern[i]) != nullptr)
    ++i;
  ++i;
  if (i >= pattern.size()) return std::string(fallback);
  const char c = pattern[i];
  const bool punctuation = c > ' ' && c < 127 && c != '%' && !(c >= '0' && c <= '9') &&
                           !(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z');
  return punctuation ? std::string(1, c) : std::string(fallback);
}

DateTimeSeparators CurrentDateTimeSeparators() {
  const DateTimeSeparators defaults;
  return {SeparatorOfPattern(nl_langinfo(D_FMT), defaults.date),
          SeparatorOfPattern(nl_langinfo(T_FMT), defaults.time)};
}

}  // namespace quorvex
