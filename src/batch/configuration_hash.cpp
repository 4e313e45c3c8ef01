#include "configuration_hash.h"

#include <string_view>

#include "sha256.h"

namespace quorvex {
namespace {

// A text as its length and its bytes, so that no two lists of texts give the same key.
void AppendText(std::string& key, std::string_view text) {
  key.append(std::to_string(text.size()));
  key.push_back(':');
  key.append(text);
}

template <typename Number, std::size_t N>
void AppendNumbers(std::string& key, const std::array<Number, N>& numbers) {
  for (const Number number : numbers) {
    key.append(std::to_string(number));
    key.push_back(',');
  }
}

}  // namespace

std::string ConfigurationHash(const TExportConfig& config, const RunTables& tables,
                              const ExtendedSettings& extended) {
  // Every member is named, so that one added to the record must be placed in or out here.
  const auto& [signature, extension, include_header, separator_index, block_names, separator_text,
               entity_checks, field_checks, field_values] = config;
  // Left out: the identifier of the file form; the separator choice, whose separator is in
  // separator_text; and the fields' check boxes, whose effect the run tables hold.
  static_cast<void>(signature);
  static_cast<void>(separator_index);
  static_cast<void>(field_checks);
  std::string key = "record;";
  AppendText(key, extension.View());
  key.append(std::to_string(include_header));
  AppendText(key, block_names.View());
  AppendText(key, separator_text.View());
  AppendNumbers(key, entity_checks);
  for (const auto& value : field_values)
    AppendText(key, value.View());
  key.append(";tables;");
  AppendNumbers(key, tables.FieldOrder);
  AppendNumbers(key, tables.EntityEnabled);
  key.append(";settings;");
  AppendSettingsKey(extended, key);
  return Sha256Hex(key);
}

}  // namespace quorvex
