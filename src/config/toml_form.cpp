#include "config/toml_form.h"

#include <charconv>

#include "config/config_words.h"

namespace quorvex::toml_form {
namespace {

constexpr std::array<std::string_view, kSlotCount> SlotWords() {
  std::array<std::string_view, kSlotCount> words{};
  words[kSlotSignature] = "signature";
  words[kSlotExtension] = "extension";
  words[kSlotBlocks] = "blocks";
  words[kSlotSeparatorOther] = "separator-other";
  return words;
}

}  // namespace

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

}  // namespace quorvex::toml_form
