#include "quoted_field.h"

#include "field_captions.h"

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

std::string QuotedHeaderLine(const RunTables& tables, std::string_view separator) {
  std::string line;
  bool first = true;
  for (const std::int32_t node : tables.FieldOrder) {
    if (node < 0 || node >= kFieldNodeCount) continue;
    if (!first) line.append(separator);
    first = false;
    const std::string_view caption = FieldCaptions[static_cast<std::size_t>(node)];
    if (NeedsQuotes(caption, separator))
      AppendQuoted(line, caption);
    else
      line.append(caption);
  }
  return line;
}

}  // namespace quorvex
