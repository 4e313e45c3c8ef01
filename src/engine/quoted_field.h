#pragma once

#include <string>
#include <string_view>

#include "export_config.h"

namespace quorvex {

/// True when a field of a data line must be quoted for RFC 4180 readers: it holds the
/// separator (unless that is empty), a double quote, a CR or an LF.
bool NeedsQuotes(std::string_view field, std::string_view separator);

/// Appends `field` enclosed in double quotes, each double quote in it doubled.
void AppendQuoted(std::string& out, std::string_view field);

/// The header line of BuildHeaderLine with each caption quoted where NeedsQuotes asks for it.
std::string QuotedHeaderLine(const RunTables& tables, std::string_view separator);

}  // namespace quorvex
