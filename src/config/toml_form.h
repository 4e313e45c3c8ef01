#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/config_settings.h"

namespace quorvex::toml_form {

// What the reader and the writer of the TOML form share: its words and its encodings.

/// The key of a text slot in [stored.texts] and [stored.tails], and back.
std::string_view SlotWord(int slot);
std::optional<int> SlotOfWord(std::string_view word);
/// How many bytes a slot holds.
std::size_t SlotCapacity(int slot);

/// Bytes as lowercase hexadecimal digits, and back (nullopt for anything else).
std::string Hex(std::string_view bytes);
std::optional<std::string> FromHex(std::string_view hex);

/// The value of a whole number written in its plain decimal form, else nullopt.
std::optional<std::int64_t> PlainInteger(std::string_view text);
/// True for the option nodes whose values are whole numbers ("decimals", "start").
bool TakesInteger(int field_node);

}  // namespace quorvex::toml_form
