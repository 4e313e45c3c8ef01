#pragma once

#include <string>
#include <string_view>

namespace quorvex {

/// True when a field of a data line must be quoted for RFC 4180 readers: it holds the
/// separator (unless that is empty), a double quote, a CR or an LF.
bool NeedsQuotes(std::string_view field, std::string_view separator);

/// Appends `field` enclosed in double quotes, each double quote in it doubled.
void AppendQuoted(std::string& out, std::string_view field);

}  // namespace quorvex
