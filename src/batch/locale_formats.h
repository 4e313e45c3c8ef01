#pragma once

#include <string>
#include <string_view>

namespace quorvex {

/// Switches the C library's date and time formats to the user's locale. Only LC_TIME changes,
/// so numbers keep "." everywhere. Call once at start-up, before any other thread runs.
void AdoptUserTimeFormats();

/// The separators of the file list's "Modified" column.
struct DateTimeSeparators {
  std::string date = "/";
  std::string time = ":";
};

/// The character that a strftime pattern writes right after its first field, when that is one
/// ASCII punctuation character ("%d.%m.%Y" gives "."); otherwise `fallback`.
std::string SeparatorOfPattern(std::string_view pattern, std::string_view fallback);

/// The separators of the current LC_TIME locale's date and time formats.
DateTimeSeparators CurrentDateTimeSeparators();

}  // namespace quorvex
