#include "config/toml_config.h"

#include <toml++/toml.h>

#include <algorithm>
#include <sstream>

#include "config/config_settings.h"
#include "config/config_words.h"
#include "config/toml_form.h"
#include "engine/utf8.h"

namespace quorvex {
namespace {

using namespace toml_form;

// A text as a TOML basic string, escaped where it must be, UTF-8 kept as it is.
std::string Quoted(std::string_view text) {
  std::ostringstream out;
  out << toml::toml_formatter{toml::value<std::string>(std::string(text)),
                              toml::format_flags::allow_unicode_strings};
  return out.str();
}

class TomlWriter {
 public:
  void Key(std::string_view key, std::string_view rendered) {
    out_.append(key);
    out_.append(" = ");
    out_.append(rendered);
    out_.push_back('\n');
  }
  void Text(std::string_view key, std::string_view text) { Key(key, Quoted(text)); }
  void Bool(std::string_view key, bool on) { Key(key, on ? "true" : "false"); }
  void Integer(std::string_view key, std::int64_t value) { Key(key, std::to_string(value)); }
  // A list that does not fit on one line goes on with one line per 96 columns.
  template <std::size_t N, typename Word>
  void Words(std::string_view key, const std::array<bool, N>& on, Word word) {
    std::string list = "[";
    std::size_t line_start = 0;
    for (int node = 0; node < static_cast<int>(N); ++node) {
      if (!on[static_cast<std::size_t>(node)]) continue;
      const std::string quoted = Quoted(word(node));
      if (list.size() > 1) list.push_back(',');
      if (list.size() - line_start + quoted.size() + key.size() > 90) {
        list.append("\n ");
        line_start = list.size() - key.size();
      }
      if (list.size() > 1 && list.back() != ' ') list.push_back(' ');
      list.append(quoted);
    }
    list.push_back(']');
    Key(key, list);
  }
  void Line(std::string_view line) {
    out_.append(line);
    out_.push_back('\n');
  }
  std::string& out() { return out_; }

 private:
  std::string out_;
};

void WriteNodeBytes(TomlWriter& writer, std::string_view word, const NodeBytes& bytes) {
  std::string table = "{ ";
  auto add = [&](std::string_view key, std::int64_t value) {
    if (table.size() > 2) table.append(", ");
    table.append(key);
    table.append(" = ");
    table.append(std::to_string(value));
  };
  if (bytes.height) add("height", *bytes.height);
  if (bytes.alignment) add("alignment", *bytes.alignment);
  if (bytes.check) add("check", *bytes.check);
  if (bytes.check_type) add("check-type", *bytes.check_type);
  if (bytes.states) add("states", *bytes.states);
  table.append(" }");
  writer.Key(Quoted(word), table);
}

// Writes [stored] and its tables; nothing when the settings say everything.
void WriteStored(TomlWriter& writer, const StoredBytes& stored) {
  std::vector<std::pair<std::string, std::string>> record, texts, tails, kinds, fields;
  if (stored.separator_index)
    record.emplace_back("separator-index", std::to_string(*stored.separator_index));
  if (stored.header) record.emplace_back("header", std::to_string(*stored.header));
  if (stored.entity_checks) {
    const auto& checks = *stored.entity_checks;
    record.emplace_back("entity-checks",
                        Quoted(Hex({reinterpret_cast<const char*>(checks.data()), checks.size()})));
  }
  if (stored.field_checks) {
    const auto& checks = *stored.field_checks;
    record.emplace_back("field-checks",
                        Quoted(Hex({reinterpret_cast<const char*>(checks.data()), checks.size()})));
  }
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const auto index = static_cast<std::size_t>(slot);
    if (stored.texts[index]) texts.emplace_back(SlotWord(slot), Quoted(Hex(*stored.texts[index])));
    if (!stored.tails[index].empty())
      tails.emplace_back(SlotWord(slot), Quoted(Hex(stored.tails[index])));
  }
  const bool nodes = std::any_of(stored.kind_nodes.begin(), stored.kind_nodes.end(),
                                 [](const NodeBytes& b) { return !b.empty(); }) ||
                     std::any_of(stored.field_nodes.begin(), stored.field_nodes.end(),
                                 [](const NodeBytes& b) { return !b.empty(); });
  if (record.empty() && texts.empty() && tails.empty() && !nodes) return;
  writer.Line("");
  writer.Line("# What the configuration file holds besides the settings above; bytes in hex.");
  if (!record.empty()) writer.Line("[stored]");
  for (const auto& [key, value] : record)
    writer.Key(key, value);
  for (const auto& [title, entries] :
       {std::pair{"[stored.texts]", &texts}, {"[stored.tails]", &tails}}) {
    if (entries->empty()) continue;
    writer.Line(title);
    for (const auto& [key, value] : *entries)
      writer.Key(Quoted(key), value);
  }
  if (std::any_of(stored.kind_nodes.begin(), stored.kind_nodes.end(),
                  [](const NodeBytes& b) { return !b.empty(); })) {
    writer.Line("[stored.kind-nodes]");
    for (int node = 0; node < kEntityNodeCount; ++node)
      if (!stored.kind_nodes[static_cast<std::size_t>(node)].empty())
        WriteNodeBytes(writer, EntityNodeWord(node),
                       stored.kind_nodes[static_cast<std::size_t>(node)]);
  }
  if (std::any_of(stored.field_nodes.begin(), stored.field_nodes.end(),
                  [](const NodeBytes& b) { return !b.empty(); })) {
    writer.Line("[stored.field-nodes]");
    for (int node = 0; node < kFieldNodeCount; ++node)
      if (!stored.field_nodes[static_cast<std::size_t>(node)].empty())
        WriteNodeBytes(writer, FieldNodeWord(node),
                       stored.field_nodes[static_cast<std::size_t>(node)]);
  }
}

// The settings beyond the record that are not at their defaults, as keys and TOML values, in
// the order they are written; none at all for a configuration that a .qrv file holds whole.
std::vector<std::pair<std::string_view, std::string>> ExtendedEntries(
    const ExtendedSettings& extended) {
  std::vector<std::pair<std::string_view, std::string>> entries;
  const DataFormat& format = extended.format;
  if (format.quote) entries.emplace_back("quote", "true");
  if (format.mtext_plain) entries.emplace_back("mtext-plain", "true");
  if (format.lf_line_ends) entries.emplace_back("line-ends", Quoted("lf"));
  if (format.bom) entries.emplace_back("bom", "true");
  if (format.decimal_comma) entries.emplace_back("decimal-comma", "true");
  return entries;
}

}  // namespace

std::string ExtendedKeys(const ExtendedSettings& extended) {
  std::string keys;
  for (const auto& [key, value] : ExtendedEntries(extended)) {
    if (!keys.empty()) keys.append(", ");
    keys.append(key);
  }
  return keys;
}

std::string ConfigToml(const ConfigContent& content, const std::vector<std::string>& ansi_texts) {
  ConfigSettings settings = SettingsOf(content);
  StoredBytes stored = StoredBytesOf(content, settings);
  // A text that is not UTF-8 cannot stand in TOML; its bytes go to [stored.texts] instead.
  auto readable = [&](int slot, std::string_view text) {
    if (IsUtf8(text)) return true;
    stored.texts[static_cast<std::size_t>(slot)] = std::string(text);
    return false;
  };
  TomlWriter writer;
  writer.Line("# Quorvex configuration: quorvex-cli -c FILE reads it, --save-config writes it as");
  writer.Line("# a .qrv file for the window.");
  if (!ansi_texts.empty()) {
    std::string note = "# Not UTF-8 in the file read, so read as ANSI_1252:";
    for (std::size_t i = 0; i < ansi_texts.size(); ++i)
      note += (i == 0 ? " " : ", ") + ansi_texts[i];
    writer.Line(note);
  }
  if (readable(kSlotExtension, settings.extension)) writer.Text("extension", settings.extension);
  writer.Text("separator", kSeparatorWords[static_cast<std::size_t>(settings.separator)]);
  if (readable(kSlotSeparatorOther, settings.separator_other))
    writer.Text("separator-other", settings.separator_other);
  writer.Bool("header", settings.header);
  if (readable(kSlotBlocks, settings.blocks)) writer.Text("blocks", settings.blocks);
  writer.Words("kinds", settings.kinds, EntityNodeWord);
  for (const auto& [key, value] : ExtendedEntries(settings.extended))
    writer.Key(key, value);
  for (const int field : settings.field_order) {
    writer.Line("");
    writer.Line("[[fields]]");
    writer.Text("name", FieldNodeWord(field));
    writer.Bool("export", settings.exported[static_cast<std::size_t>(field)]);
    for (int node = field + 1; node < kFieldNodeCount && !IsDataField(node); ++node) {
      const std::string& value = settings.values[static_cast<std::size_t>(node)];
      if (!readable(kSlotFieldValues + node, value)) continue;
      const std::optional<std::int64_t> integer =
          TakesInteger(node) ? PlainInteger(value) : std::nullopt;
      if (integer)
        writer.Integer(FieldOptionKey(node), *integer);
      else
        writer.Text(FieldOptionKey(node), value);
    }
  }
  writer.Line("");
  writer.Line("# How the window shows the trees; it changes nothing in the data files.");
  writer.Line("[window]");
  writer.Words("expanded-kinds", settings.kind_expanded, EntityNodeWord);
  writer.Words("expanded-fields", settings.field_expanded, FieldNodeWord);
  if (settings.kind_disabled != RuleDisabledKinds(settings))
    writer.Words("disabled-kinds", settings.kind_disabled, EntityNodeWord);
  if (settings.field_disabled != RuleDisabledFields(settings))
    writer.Words("disabled-fields", settings.field_disabled, FieldNodeWord);
  writer.Text("selected-kind", EntityNodeWord(settings.selected_kind));
  writer.Text("selected-field", FieldNodeWord(settings.selected_field));
  WriteStored(writer, stored);
  return std::move(writer.out());
}

}  // namespace quorvex
