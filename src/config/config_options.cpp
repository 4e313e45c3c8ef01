#include "config/config_options.h"

#include <algorithm>
#include <vector>

#include "config/config_words.h"
#include "config/default_config.h"
#include "config/tree_tables.h"
#include "engine/text_util.h"

namespace quorvex {
namespace {

constexpr int kOtherSeparator = 5;

// What --separator sets: a choice, and for "Other" the text, unless the configuration's own is
// kept.
struct SeparatorSetting {
  int choice = kOtherSeparator;
  std::optional<std::string> other_text;
};

bool LettersOnly(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
}

// The separator that `given` asks for: "text:" and any text as the "Other" separator; a choice by
// its word in any case, "other" keeping the configuration's text; "\\t" for a tab; a choice by
// the text it writes; any other text that is not made of letters alone as the "Other" separator.
// Letters that are no word are refused, with the words.
std::optional<std::string> SeparatorOf(std::string_view given, SeparatorSetting& setting) {
  constexpr std::string_view kText = "TEXT:";
  std::string prefix(given.substr(0, kText.size()));
  for (char& c : prefix)
    c = AsciiUpper(c);
  if (prefix == kText) {
    setting = {kOtherSeparator, std::string(given.substr(kText.size()))};
    return std::nullopt;
  }
  if (const std::optional<int> choice = SeparatorOfWord(given == "\\t" ? "tab" : given)) {
    setting = {*choice, std::nullopt};
    return std::nullopt;
  }
  if (LettersOnly(given)) {
    const std::string_view nearest = NearestSeparatorWord(given);
    // The words are listed even with a guess: letters that are no word may have been meant as
    // the text itself, and the list shows that they are not taken so.
    std::string error = "unknown separator \"" + std::string(given) + "\" in --separator; ";
    error += nearest.empty() ? "the" : "did you mean \"" + std::string(nearest) + "\"? The";
    return error + " separators are: " + SeparatorWordList() +
           "; for the text itself, give text:" + std::string(given);
  }
  setting = {kOtherSeparator, std::string(given)};
  for (int choice = 0; choice < kOtherSeparator; ++choice)
    if (given == ResolvedSeparator(choice, {})) setting = {choice, std::nullopt};
  return std::nullopt;
}

// The words of a comma-separated list, blanks around them dropped.
std::vector<std::string> Words(std::string_view list) {
  std::vector<std::string> words;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(',', start);
    words.emplace_back(Trimmed(list.substr(start, comma - start)));
    if (comma == std::string_view::npos) return words;
    start = comma + 1;
  }
}

// The refusal of a word that names nothing: the nearest word when one is near, else them all.
std::string UnknownWord(std::string_view what, std::string_view word, std::string_view option,
                        std::string_view nearest, const std::string& valid) {
  std::string error = "unknown " + std::string(what) + " \"" + std::string(word) + "\" in " +
                      std::string(option) + "; ";
  if (!nearest.empty()) return error + "did you mean \"" + std::string(nearest) + "\"?";
  return error + "the " + std::string(what) + "s are: " + valid;
}

// The nodes a list names, or the usage error.
template <typename Of, typename Nearest>
std::optional<std::string> NodesOf(std::string_view list, std::string_view option,
                                   std::string_view what, Of of, Nearest nearest,
                                   const std::string& valid, std::vector<int>& nodes) {
  for (const std::string& word : Words(list)) {
    const std::optional<int> node = of(word);
    if (!node) return UnknownWord(what, word, option, nearest(word), valid);
    if (std::find(nodes.begin(), nodes.end(), *node) != nodes.end())
      return "\"" + word + "\" is named twice in " + std::string(option);
    nodes.push_back(*node);
  }
  return std::nullopt;
}

void ApplyKinds(const std::vector<int>& named, ConfigModel& model) {
  const TExportConfig& defaults = DefaultConfiguration().record;
  for (const int kind : kEntityKindNodes) {
    const int option_count = EntityChildCounts[static_cast<std::size_t>(kind)] - 1;
    auto is_named = [&](int node) {
      return std::find(named.begin(), named.end(), node) != named.end();
    };
    bool options_named = false;
    for (int option = kind + 1; option <= kind + option_count; ++option)
      options_named = options_named || is_named(option);
    const bool checked = is_named(kind) || options_named;
    model.SetChecked(ConfigTreeId::kEntity, kind, checked);
    if (!checked) continue;
    for (int option = kind + 1; option <= kind + option_count; ++option) {
      model.SetChecked(ConfigTreeId::kEntity, option,
                       options_named
                           ? is_named(option)
                           : defaults.EntityChecks[static_cast<std::size_t>(option)] == 1);
    }
  }
}

std::size_t PositionOf(const ConfigModel& model, int field) {
  const TreeNodes& fields = model.trees().data;
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (fields[i].data == field) return i;
  return fields.size();
}

void ApplyFields(const std::vector<int>& named, ConfigModel& model) {
  for (std::size_t i = 0; i < named.size(); ++i) {
    model.FocusDataNode(named[i]);
    while (PositionOf(model, named[i]) > i && model.MoveFieldUp()) {
    }
  }
  for (const int field : kDataFieldNodes)
    model.SetChecked(ConfigTreeId::kData, field,
                     std::find(named.begin(), named.end(), field) != named.end());
}

std::optional<std::string> TooLong(std::string_view option, std::string_view text,
                                   std::size_t capacity) {
  if (text.size() <= capacity) return std::nullopt;
  return "option " + std::string(option) + " takes at most " + std::to_string(capacity) + " bytes";
}

void ApplyOutputOptions(const ConfigOptions& options, ConfigModel& model) {
  ExtendedSettings extended = model.extended();
  DataFormat& format = extended.format;
  for (const auto& [given, setting] : {std::pair{options.quote, &format.quote},
                                       {options.mtext_plain, &format.mtext_plain},
                                       {options.lf_line_ends, &format.lf_line_ends},
                                       {options.bom, &format.bom},
                                       {options.decimal_comma, &format.decimal_comma}}) {
    if (given) *setting = *given;
  }
  model.SetExtended(extended);
}

}  // namespace

std::optional<std::string> ApplyConfigOptions(const ConfigOptions& options, ConfigModel& model) {
  std::vector<int> kinds, fields;
  if (options.kinds) {
    if (auto error = NodesOf(*options.kinds, "--kinds", "kind", EntityNodeOfWord, NearestKindWord,
                             KindWordList(), kinds))
      return error;
  }
  if (options.fields) {
    auto field_of = [](std::string_view word) -> std::optional<int> {
      const std::optional<int> node = FieldNodeOfWord(word);
      return node && IsDataField(*node) ? node : std::nullopt;
    };
    if (auto error = NodesOf(*options.fields, "--fields", "field", field_of, NearestFieldWord,
                             FieldWordList(), fields))
      return error;
  }
  SeparatorSetting separator;
  if (options.separator) {
    if (auto error = SeparatorOf(*options.separator, separator)) return error;
    if (auto error = TooLong("--separator", separator.other_text.value_or(""), 255)) return error;
  }
  if (options.blocks) {
    if (auto error = TooLong("--blocks", Trimmed(*options.blocks), 255)) return error;
  }

  if (options.kinds) ApplyKinds(kinds, model);
  if (options.fields) ApplyFields(fields, model);
  if (options.separator) {
    model.SetSeparatorIndex(separator.choice);
    if (separator.other_text) model.SetSeparatorText(*separator.other_text);
  }
  if (options.decimals) {
    for (const int node : {field_node::kXDecimals, field_node::kYDecimals, field_node::kZDecimals})
      model.AcceptTypedValue(node, std::to_string(*options.decimals));
  }
  if (options.header) model.SetIncludeHeader(*options.header);
  if (options.blocks) model.SetBlockNames(*options.blocks);
  if (options.extension) model.SetDataFileExtension(ExtensionOfOption(*options.extension));
  ApplyOutputOptions(options, model);
  return std::nullopt;
}

}  // namespace quorvex
