#include "cli/toml_config.h"

#include <toml++/toml.h>

#include <algorithm>
#include <charconv>
#include <limits>
#include <sstream>

#include "cli/config_settings.h"
#include "cli/config_words.h"
#include "config/default_config.h"

namespace quorvex::cli {
namespace {

// The separator choices in the order of the window's list.
constexpr std::array<std::string_view, 6> kSeparatorChoices = {"comma", "semicolon", "space",
                                                               "tab",   "linefeed",  "other"};

constexpr std::array<std::string_view, kSlotCount> SlotWords() {
  std::array<std::string_view, kSlotCount> words{};
  words[kSlotSignature] = "signature";
  words[kSlotExtension] = "extension";
  words[kSlotBlocks] = "blocks";
  words[kSlotSeparatorOther] = "separator-other";
  return words;
}

std::string_view SlotWord(int slot) {
  static constexpr std::array<std::string_view, kSlotCount> kFixed = SlotWords();
  return slot >= kSlotFieldValues ? FieldNodeWord(slot - kSlotFieldValues)
                                  : kFixed[static_cast<std::size_t>(slot)];
}

std::optional<int> SlotOfWord(std::string_view word) {
  for (int slot = 0; slot < kSlotCount; ++slot)
    if (SlotWord(slot) == word) return slot;
  return std::nullopt;
}

std::size_t SlotCapacity(int slot) {
  return slot == kSlotSignature ? 6 : slot == kSlotExtension ? 10 : 255;
}

bool IsDataField(int field_node) {
  return std::find(kDataFieldNodes.begin(), kDataFieldNodes.end(), field_node) !=
         kDataFieldNodes.end();
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. TOML texts must be it.
bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t more = 0;
    std::uint32_t code = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      more = 1, code = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
      more = 2, code = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
      more = 3, code = lead & 0x07u;
    } else {
      return false;
    }
    if (text.size() - i <= more) return false;
    for (std::size_t k = 1; k <= more; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3Fu);
    }
    constexpr std::uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (code < kLeast[more] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += more + 1;
  }
  return true;
}

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    out.push_back(kDigits[byte >> 4]);
    out.push_back(kDigits[byte & 15]);
  }
  return out;
}

std::optional<std::string> FromHex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(hex.data() + i, hex.data() + i + 2, value, 16);
    if (ec != std::errc() || end != hex.data() + i + 2) return std::nullopt;
    bytes.push_back(static_cast<char>(value));
  }
  return bytes;
}

// An option value that is a whole number in its plain form is written as a TOML integer.
std::optional<std::int64_t> PlainInteger(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || std::to_string(value) != text)
    return std::nullopt;
  return value;
}

bool TakesInteger(int field_node) {
  const std::string_view key = FieldOptionKey(field_node);
  return key == "decimals" || key == "start";
}

// ---------------------------------------------------------------------------------------------
// Writing

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

// ---------------------------------------------------------------------------------------------
// Reading

struct Refusal {
  std::int64_t line;
  std::string cause;
};

std::int64_t LineOf(const toml::node& node) {
  return static_cast<std::int64_t>(node.source().begin.line);
}

[[noreturn]] void Refuse(const toml::node& node, std::string cause) {
  throw Refusal{LineOf(node), std::move(cause)};
}

// Appending, rather than `"\"" + std::string(key)`, which GCC 12 wrongly flags under -Wrestrict.
std::string Named(std::string_view key) {
  std::string named = "\"";
  named.append(key);
  named.push_back('"');
  return named;
}

const toml::table& TableOf(const toml::node& node, std::string_view key) {
  if (const toml::table* table = node.as_table()) return *table;
  Refuse(node, Named(key) + " must be a table");
}

std::string TextOf(const toml::node& node, std::string_view key) {
  if (const auto* text = node.as_string()) return text->get();
  Refuse(node, Named(key) + " must be a text in double quotes");
}

std::string SlotTextOf(const toml::node& node, std::string_view key, std::size_t capacity) {
  std::string text = TextOf(node, key);
  if (text.size() > capacity)
    Refuse(node, Named(key) + " is longer than " + std::to_string(capacity) + " bytes");
  return text;
}

bool BoolOf(const toml::node& node, std::string_view key) {
  if (const auto* on = node.as_boolean()) return on->get();
  Refuse(node, Named(key) + " must be true or false");
}

std::int64_t IntegerOf(const toml::node& node, std::string_view key, std::int64_t low,
                       std::int64_t high) {
  const auto* value = node.as_integer();
  if (!value || value->get() < low || value->get() > high)
    Refuse(node, Named(key) + " must be a whole number from " + std::to_string(low) + " to " +
                     std::to_string(high));
  return value->get();
}

std::string BytesOf(const toml::node& node, std::string_view key, std::size_t capacity) {
  const std::optional<std::string> bytes = FromHex(TextOf(node, key));
  if (!bytes) Refuse(node, Named(key) + " must be bytes in hexadecimal digits");
  if (bytes->size() > capacity)
    Refuse(node, Named(key) + " holds more than " + std::to_string(capacity) + " bytes");
  return *bytes;
}

template <std::size_t N>
std::array<std::uint8_t, N> ByteArrayOf(const toml::node& node, std::string_view key) {
  const std::string bytes = BytesOf(node, key, N);
  if (bytes.size() != N) Refuse(node, Named(key) + " must hold " + std::to_string(N) + " bytes");
  std::array<std::uint8_t, N> out{};
  std::transform(bytes.begin(), bytes.end(), out.begin(),
                 [](char c) { return static_cast<std::uint8_t>(c); });
  return out;
}

// The value of an option node: a text, or a number for the options that hold one.
std::string OptionValueOf(const toml::node& node, int field_node) {
  const std::string_view key = FieldOptionKey(field_node);
  std::string value;
  if (const auto* text = node.as_string()) {
    value = text->get();
  } else if (const auto* integer = node.as_integer();
             integer && (TakesInteger(field_node) || key == "force-to")) {
    value = std::to_string(integer->get());
  } else if (const auto* real = node.as_floating_point(); real && key == "force-to") {
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, real->get());
    value.assign(buffer, end);
  } else {
    Refuse(node, Named(key) + (key == "force-to"          ? " must be a number or a text"
                               : TakesInteger(field_node) ? " must be a whole number or a text"
                                                          : " must be a text in double quotes"));
  }
  if (value.size() > 255) Refuse(node, Named(key) + " is longer than 255 bytes");
  return value;
}

template <typename Of>
int WordOf(const toml::node& node, std::string_view key, std::string_view what, Of of,
           const std::string& valid) {
  const std::string word = TextOf(node, key);
  if (const std::optional<int> found = of(word)) return *found;
  Refuse(node, "unknown " + std::string(what) + " " + Named(word) + " in " + Named(key) + "; the " +
                   std::string(what) + "s are: " + valid);
}

template <std::size_t N, typename Of>
std::array<bool, N> WordSetOf(const toml::node& node, std::string_view key, std::string_view what,
                              Of of, const std::string& valid) {
  const toml::array* list = node.as_array();
  if (!list) Refuse(node, Named(key) + " must be a list of words, such as [\"a\", \"b\"]");
  std::array<bool, N> on{};
  for (const toml::node& item : *list) {
    const auto k = static_cast<std::size_t>(WordOf(item, key, what, of, valid));
    if (on[k]) Refuse(item, Named(TextOf(item, key)) + " is named twice in " + Named(key));
    on[k] = true;
  }
  return on;
}

std::string OptionNodeWords() {
  std::string list;
  for (int node = 0; node < kFieldNodeCount; ++node) {
    if (IsDataField(node)) continue;
    if (!list.empty()) list.append(", ");
    list.append(FieldNodeWord(node));
  }
  return list;
}

std::string FieldOptionsOf(int field) {
  std::string list = "name, export";
  for (int node = field + 1; node < kFieldNodeCount && !IsDataField(node); ++node) {
    list.append(", ");
    list.append(FieldOptionKey(node));
  }
  return list;
}

class TomlReader {
 public:
  TomlReader() : settings_(SettingsOf(DefaultConfiguration())) {}

  ConfigContent Read(const toml::table& root) {
    if (root.empty()) throw Refusal{1, "holds no setting of a configuration"};
    bool window = false;
    for (const auto& [key, node] : root) {
      const std::string_view name = key.str();
      if (name == "extension") {
        settings_.extension = SlotTextOf(node, name, 10);
      } else if (name == "separator") {
        settings_.separator = WordOf(node, name, "separator", SeparatorChoice, SeparatorWords());
      } else if (name == "separator-other") {
        settings_.separator_other = SlotTextOf(node, name, 255);
      } else if (name == "header") {
        settings_.header = BoolOf(node, name);
      } else if (name == "blocks") {
        settings_.blocks = SlotTextOf(node, name, 255);
      } else if (name == "kinds") {
        settings_.kinds =
            WordSetOf<kEntityNodeCount>(node, name, "kind", EntityNodeOfWord, KindWordList());
      } else if (name == "fields") {
        ReadFields(node);
      } else if (name == "window") {
        ReadWindow(TableOf(node, name));
        window = true;
      } else if (name == "stored") {
        ReadStored(TableOf(node, name));
      } else {
        Unknown(node, name, "");
      }
    }
    if (!window) SetWindowDefaults();
    if (!disabled_kinds_) settings_.kind_disabled = RuleDisabledKinds(settings_);
    if (!disabled_fields_) settings_.field_disabled = RuleDisabledFields(settings_);
    return ContentOf(settings_, stored_);
  }

 private:
  static std::optional<int> SeparatorChoice(std::string_view word) {
    for (std::size_t i = 0; i < kSeparatorChoices.size(); ++i)
      if (kSeparatorChoices[i] == word) return static_cast<int>(i);
    return std::nullopt;
  }
  static std::string SeparatorWords() {
    std::string list;
    for (const std::string_view word : kSeparatorChoices) {
      if (!list.empty()) list.append(", ");
      list.append(word);
    }
    return list;
  }

  [[noreturn]] static void Unknown(const toml::node& node, std::string_view key,
                                   std::string_view table) {
    Refuse(node, "unknown key " + Named(key) +
                     (table.empty() ? std::string() : " in [" + std::string(table) + "]"));
  }

  void SetWindowDefaults() {
    settings_.kind_expanded = {};
    settings_.field_expanded = {};
    settings_.selected_kind = -1;
    settings_.selected_field = -1;
  }

  void ReadFields(const toml::node& node) {
    const toml::array* list = node.as_array();
    if (!list) Refuse(node, "\"fields\" must be a list of [[fields]] tables");
    std::vector<int> order;
    for (const toml::node& item : *list) {
      const toml::table& entry = TableOf(item, "fields");
      const toml::node* name = entry.get("name");
      if (!name) Refuse(item, "a [[fields]] table needs a \"name\"");
      const int field = WordOf(*name, "name", "field", FieldOfWord, FieldWordList());
      if (std::find(order.begin(), order.end(), field) != order.end())
        Refuse(*name, "the field " + Named(FieldNodeWord(field)) + " is listed twice");
      order.push_back(field);
      for (const auto& [key, value] : entry) {
        const std::string_view option = key.str();
        if (option == "name") continue;
        if (option == "export") {
          settings_.exported[static_cast<std::size_t>(field)] = BoolOf(value, option);
          continue;
        }
        const std::optional<int> node_of_option =
            FieldNodeOfWord(std::string(FieldNodeWord(field)) + "." + std::string(option));
        if (!node_of_option)
          Refuse(value, "the field " + Named(FieldNodeWord(field)) + " has no option " +
                            Named(option) + "; its keys are: " + FieldOptionsOf(field));
        settings_.values[static_cast<std::size_t>(*node_of_option)] =
            OptionValueOf(value, *node_of_option);
      }
    }
    // The fields not listed follow, in the order they had.
    for (const int field : settings_.field_order)
      if (std::find(order.begin(), order.end(), field) == order.end()) order.push_back(field);
    std::copy(order.begin(), order.end(), settings_.field_order.begin());
  }

  static std::optional<int> FieldOfWord(std::string_view word) {
    const std::optional<int> node = FieldNodeOfWord(word);
    return node && IsDataField(*node) ? node : std::nullopt;
  }
  static std::optional<int> FieldNodeOf(std::string_view word) { return FieldNodeOfWord(word); }
  static std::string FieldNodeWords() { return FieldWordList() + ", " + OptionNodeWords(); }

  void ReadWindow(const toml::table& window) {
    SetWindowDefaults();
    for (const auto& [key, node] : window) {
      const std::string_view name = key.str();
      if (name == "expanded-kinds") {
        settings_.kind_expanded =
            WordSetOf<kEntityNodeCount>(node, name, "kind", EntityNodeOfWord, KindWordList());
      } else if (name == "expanded-fields") {
        settings_.field_expanded =
            WordSetOf<kFieldNodeCount>(node, name, "field node", FieldNodeOf, FieldNodeWords());
      } else if (name == "disabled-kinds") {
        settings_.kind_disabled =
            WordSetOf<kEntityNodeCount>(node, name, "kind", EntityNodeOfWord, KindWordList());
        disabled_kinds_ = true;
      } else if (name == "disabled-fields") {
        settings_.field_disabled =
            WordSetOf<kFieldNodeCount>(node, name, "field node", FieldNodeOf, FieldNodeWords());
        disabled_fields_ = true;
      } else if (name == "selected-kind") {
        settings_.selected_kind = SelectedOf(node, name, EntityNodeOfWord, KindWordList());
      } else if (name == "selected-field") {
        settings_.selected_field = SelectedOf(node, name, FieldNodeOf, FieldNodeWords());
      } else {
        Unknown(node, name, "window");
      }
    }
  }

  template <typename Of>
  static int SelectedOf(const toml::node& node, std::string_view key, Of of,
                        const std::string& valid) {
    if (TextOf(node, key).empty()) return -1;
    return WordOf(node, key, "node", of, valid);
  }

  void ReadStored(const toml::table& stored) {
    for (const auto& [key, node] : stored) {
      const std::string_view name = key.str();
      if (name == "separator-index") {
        stored_.separator_index = static_cast<std::int32_t>(
            IntegerOf(node, name, std::numeric_limits<std::int32_t>::min(),
                      std::numeric_limits<std::int32_t>::max()));
      } else if (name == "header") {
        stored_.header = static_cast<std::uint8_t>(IntegerOf(node, name, 0, 255));
      } else if (name == "entity-checks") {
        stored_.entity_checks = ByteArrayOf<kEntityNodeCount>(node, name);
      } else if (name == "field-checks") {
        stored_.field_checks = ByteArrayOf<kFieldNodeCount>(node, name);
      } else if (name == "texts" || name == "tails") {
        ReadSlots(TableOf(node, name), name);
      } else if (name == "kind-nodes") {
        ReadNodes(TableOf(node, name), name, EntityNodeOfWord, stored_.kind_nodes);
      } else if (name == "field-nodes") {
        ReadNodes(TableOf(node, name), name, FieldNodeOf, stored_.field_nodes);
      } else {
        Unknown(node, name, "stored");
      }
    }
  }

  void ReadSlots(const toml::table& slots, std::string_view table) {
    for (const auto& [key, node] : slots) {
      const std::optional<int> slot = SlotOfWord(key.str());
      if (!slot) Unknown(node, key.str(), "stored." + std::string(table));
      const auto index = static_cast<std::size_t>(*slot);
      std::string bytes = BytesOf(node, key.str(), SlotCapacity(*slot));
      if (table == "texts")
        stored_.texts[index] = std::move(bytes);
      else
        stored_.tails[index] = std::move(bytes);
    }
  }

  template <std::size_t N, typename Of>
  static void ReadNodes(const toml::table& nodes, std::string_view table, Of of,
                        std::array<NodeBytes, N>& out) {
    for (const auto& [key, node] : nodes) {
      const std::optional<int> found = of(key.str());
      if (!found) Unknown(node, key.str(), "stored." + std::string(table));
      NodeBytes& bytes = out[static_cast<std::size_t>(*found)];
      for (const auto& [field, value] : TableOf(node, key.str())) {
        const std::string_view name = field.str();
        if (name == "height") {
          bytes.height = static_cast<std::uint32_t>(
              IntegerOf(value, name, 0, std::numeric_limits<std::uint32_t>::max()));
        } else if (name == "alignment") {
          bytes.alignment = static_cast<std::uint8_t>(IntegerOf(value, name, 0, 255));
        } else if (name == "check") {
          bytes.check = static_cast<std::uint8_t>(IntegerOf(value, name, 0, 255));
        } else if (name == "check-type") {
          bytes.check_type = static_cast<std::uint8_t>(IntegerOf(value, name, 0, 255));
        } else if (name == "states") {
          bytes.states = static_cast<std::uint16_t>(IntegerOf(value, name, 0, node_state::kStored));
        } else {
          Unknown(value, name, "stored." + std::string(table));
        }
      }
    }
  }

  ConfigSettings settings_;
  StoredBytes stored_;
  bool disabled_kinds_ = false, disabled_fields_ = false;
};

}  // namespace

std::string ConfigToml(const ConfigContent& content) {
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
  if (readable(kSlotExtension, settings.extension)) writer.Text("extension", settings.extension);
  writer.Text("separator", kSeparatorChoices[static_cast<std::size_t>(settings.separator)]);
  if (readable(kSlotSeparatorOther, settings.separator_other))
    writer.Text("separator-other", settings.separator_other);
  writer.Bool("header", settings.header);
  if (readable(kSlotBlocks, settings.blocks)) writer.Text("blocks", settings.blocks);
  writer.Words("kinds", settings.kinds, EntityNodeWord);
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

std::optional<ConfigContent> ParseConfigToml(std::string_view text, std::string_view source,
                                             std::string& error) {
  try {
    const toml::table root = toml::parse(text, source);
    TomlReader reader;
    return reader.Read(root);
  } catch (const toml::parse_error& parse_error) {
    error = std::string(source) + ":" + std::to_string(parse_error.source().begin.line) +
            ": neither a .qrv file nor TOML: " + std::string(parse_error.description());
  } catch (const Refusal& refusal) {
    error = std::string(source) + ":" + std::to_string(refusal.line) + ": " + refusal.cause;
  }
  return std::nullopt;
}

}  // namespace quorvex::cli
