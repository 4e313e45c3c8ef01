#include "extended_settings.h"

namespace quorvex {
namespace {

void Append(std::string& key, bool value) {
  key.push_back(value ? '1' : '0');
}

// A text with its length before it, so that two texts can never run into each other's place.
void Append(std::string& key, const std::string& text) {
  key.append(std::to_string(text.size()));
  key.push_back(':');
  key.append(text);
}

void Append(std::string& key, const DataFormat& format) {
  // One name per member: a member added to DataFormat stops this from compiling until it is
  // named here, and so can never be left out of the key.
  const auto& [quote, mtext_plain, text_plain, lf_line_ends, bom, decimal_comma] = format;
  for (const bool value : {quote, mtext_plain, text_plain, lf_line_ends, bom, decimal_comma})
    Append(key, value);
}

void Append(std::string& key, const AttributeColumn& column) {
  // As above, one name per member.
  const auto& [tag, prefix, caption, exported] = column;
  for (const std::string* text : {&tag, &prefix, &caption})
    Append(key, *text);
  Append(key, exported);
}

// Nothing while blocks are not expanded, when the limit changes no byte: a configuration without
// the expansion keeps the key it had before the expansion existed.
void Append(std::string& key, const ExpansionSettings& expansion) {
  // As above, one name per member.
  const auto& [expand_blocks, limit] = expansion;
  if (!expand_blocks) return;
  key.append(";expand-blocks;");
  Append(key, std::to_string(limit));
}

}  // namespace

void AppendSettingsKey(const ExtendedSettings& settings, std::string& key) {
  // As above: every member of ExtendedSettings is named, or this does not compile.
  const auto& [format, layers, code_page, captions, attributes, expansion] = settings;
  Append(key, format);
  Append(key, layers);
  Append(key, code_page);
  for (const std::string& caption : captions)
    Append(key, caption);
  Append(key, std::to_string(attributes.size()));
  for (const AttributeColumn& column : attributes)
    Append(key, column);
  Append(key, expansion);
}

}  // namespace quorvex
