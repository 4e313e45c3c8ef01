#include "quoted_field.h"

namespace quorvex {

bool NeedsQuotes(std::string_view field, std::string_view separator) {
  return field.find_first_of("\"\r\n") != std::string_view::npos ||
         (!separator.empty() && field.find(separator) != std::string_view::npos);
}

void AppendQuoted(std::string& out, std::string_view field) {
  out.push_back('"');
  for (const char c : field) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

}  // namespace quorvex
