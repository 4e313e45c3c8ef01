#include "config/toml_config.h"

#include <toml++/toml.h>

#include <algorithm>
#include <charconv>
#include <limits>

#include "config/config_settings.h"
#include "config/config_words.h"
#include "config/default_config.h"
#include "config/nearest_word.h"
#include "config/toml_form.h"

namespace quorvex {
namespace {

using namespace toml_form;

// A refusal on its way out of the reader: the line it names and what is wrong.
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
  const std::string refusal =
      "unknown " + std::string(what) + " " + Named(word) + " in " + Named(key);
  std::vector<std::string_view> words;
  for (std::size_t start = 0; start < valid.size();) {
    const std::size_t end = std::min(valid.find(", ", start), valid.size());
    words.push_back(std::string_view(valid).substr(start, end - start));
    start = end + 2;
  }
  if (const std::string_view nearest = NearestWord(word, words); !nearest.empty())
    Refuse(node, refusal + "; did you mean " + Named(nearest) + "?");
  Refuse(node, refusal + "; the " + std::string(what) + "s are: " + valid);
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
        settings_.separator = WordOf(node, name, "separator", SeparatorOfWord, SeparatorWordList());
      } else if (name == "separator-other") {
        settings_.separator_other = SlotTextOf(node, name, 255);
      } else if (name == "header") {
        settings_.header = BoolOf(node, name);
      } else if (name == "blocks") {
        settings_.blocks = SlotTextOf(node, name, 255);
      } else if (name == "kinds") {
        settings_.kinds =
            WordSetOf<kEntityNodeCount>(node, name, "kind", EntityNodeOfWord, KindWordList());
      } else if (ReadExtended(name, node)) {
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
  // A key of the settings beyond the record; false for any other key.
  bool ReadExtended(std::string_view name, const toml::node& node) {
    DataFormat& format = settings_.extended.format;
    if (name == "quote") {
      format.quote = BoolOf(node, name);
    } else if (name == "mtext-plain") {
      format.mtext_plain = BoolOf(node, name);
    } else if (name == "line-ends") {
      format.lf_line_ends = WordOf(node, name, "line end", LineEndOf, "lf, crlf") == 1;
    } else if (name == "bom") {
      format.bom = BoolOf(node, name);
    } else if (name == "decimal-comma") {
      format.decimal_comma = BoolOf(node, name);
    } else {
      return false;
    }
    return true;
  }
  static std::optional<int> LineEndOf(std::string_view word) {
    if (word == "crlf") return 0;
    if (word == "lf") return 1;
    return std::nullopt;
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
        // Words are taken in any case, but keys are TOML's, which are exact.
        if (!node_of_option || FieldOptionKey(*node_of_option) != option)
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

ConfigRead ParseConfigToml(std::string_view text, const std::string& path) {
  ConfigRead read;
  try {
    const toml::table root = toml::parse(text, path);
    TomlReader reader;
    read.content = reader.Read(root);
  } catch (const toml::parse_error& parse_error) {
    read.failure =
        Failure{Failure::Kind::kConfigNotToml, path, std::string(parse_error.description()),
                static_cast<std::int64_t>(parse_error.source().begin.line)};
  } catch (const Refusal& refusal) {
    read.failure = Failure{Failure::Kind::kConfigTomlRefused, path, refusal.cause, refusal.line};
  }
  return read;
}

}  // namespace quorvex
