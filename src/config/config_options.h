#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/config_model.h"

namespace quorvex {

/// Settings given over a configuration, as the command line's options give them: words and texts
/// not checked yet. Each one given replaces what the configuration says; the others leave it.
struct ConfigOptions {
  std::optional<std::string> kinds;
  std::optional<std::string> fields;
  std::optional<std::string> separator;
  std::optional<int> decimals;
  std::optional<bool> header;
  std::optional<std::string> blocks;
  std::optional<std::string> extension;
  // The settings beyond the record.
  std::optional<bool> quote;
  std::optional<bool> mtext_plain;
  std::optional<bool> lf_line_ends;
  std::optional<bool> bom;
  std::optional<bool> decimal_comma;
};

/// The data-file extension that `-e` gives: its text without one leading dot, so that "-e .csv"
/// names the data files "road.csv", as "-e csv" does, and not "road..csv".
inline std::string_view ExtensionOfOption(std::string_view given) {
  return given.substr(given.starts_with('.') ? 1 : 0);
}

/// Applies the configuration options of the command line to `model` through the rules of the
/// configuration trees, as the window's editors would:
/// - `--kinds`: exactly the kinds listed are checked; a kind named alone takes the point options
///   of the default configuration, KIND.OPTION words pick them (and check their kind); the kinds
///   not listed are unchecked with their options kept;
/// - `--fields`: exactly the fields listed are checked, moved to the front in the order given;
///   the others follow unchecked, in their order, with their options kept;
/// - `--separator`: a choice by its word (SeparatorOfWord; "other" keeps the configuration's
///   text), "\t" for a tab, or by the text it writes; "text:STRING" the "Other" separator
///   STRING; any other text that is not made of letters alone the "Other" separator as given;
/// - `--decimals`: the decimals of X, Y and Z; `--header`, `--no-header`; `--blocks`;
/// - `-e`: ExtensionOfOption;
/// - the output options, over the settings beyond the record.
/// Kind, field and separator words are taken in any letter case. Returns the usage error (a
/// wrong word, with the nearest word or the valid ones; a repeated word; a text longer than its
/// slot) or nothing. Nothing is changed when an error is returned.
std::optional<std::string> ApplyConfigOptions(const ConfigOptions& options, ConfigModel& model);

}  // namespace quorvex
