#pragma once

#include <string>
#include <string_view>

namespace quorvex {

/// The text of an MTEXT entity without its formatting codes: "\P" (paragraph) and "\~"
/// (non-breaking space) become a blank; the codes that take a value up to ";" (\f, \F font,
/// \H height, \C colour, \A alignment, \Q slant, \T tracking, \W width) and the toggles \L, \l,
/// \O, \o, \K, \k are removed; a stacking "\Sa^b;" becomes "a/b"; the grouping braces go;
/// "\\", "\{" and "\}" become "\", "{" and "}". Any other backslash stays as it is.
std::string PlainMText(std::string_view text);

}  // namespace quorvex
