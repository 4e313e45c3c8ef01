#pragma once

#include <string_view>

namespace quorvex {

/// True when the whole `name` matches `pattern`: "*" matches any run of characters (the empty
/// run included), "?" exactly one, every other character only itself, with the letters a-z
/// matching either case. One quirk is kept on purpose: once the name is used up, what is left
/// of the pattern must be empty or a single "*", so "A**" does not match "A".
bool MatchPattern(std::string_view name, std::string_view pattern);

/// True when `name` matches an entry of the comma-separated `list`. Entries are trimmed and
/// empty ones skipped, except that a list whose last comma is followed by nothing but blanks
/// lets every name pass (as does an empty list).
bool MatchPatternList(std::string_view list, std::string_view name);

}  // namespace quorvex
