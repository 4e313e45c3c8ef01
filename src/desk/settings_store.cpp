#include "desk/settings_store.h"

#include <charconv>

#include "engine/text_util.h"

namespace quorvex {

std::optional<std::int32_t> ReadInteger(const SettingsStore& store, std::string_view name) {
  const std::string text = store.ReadText(name);
  const std::string_view digits = Trimmed(text);
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) {
    return std::nullopt;
  }
  return value;
}

void WriteInteger(SettingsStore& store, std::string_view name, std::int32_t value) {
  store.WriteText(name, std::to_string(value));
}

template <typename T>
const T* MemorySettings::Find(std::string_view name) const {
  const auto it = values_.find(name);
  return it == values_.end() ? nullptr : std::get_if<T>(&it->second);
}

std::string MemorySettings::ReadText(std::string_view name) const {
  const std::string* value = Find<std::string>(name);
  return value ? *value : std::string();
}

std::optional<bool> MemorySettings::ReadOnOff(std::string_view name) const {
  const bool* value = Find<bool>(name);
  return value ? std::optional<bool>(*value) : std::nullopt;
}

std::vector<std::uint8_t> MemorySettings::ReadBinary(std::string_view name) const {
  const auto* value = Find<std::vector<std::uint8_t>>(name);
  return value ? *value : std::vector<std::uint8_t>();
}

void MemorySettings::WriteText(std::string_view name, std::string_view value) {
  values_.insert_or_assign(std::string(name), Value(std::string(value)));
}

void MemorySettings::WriteOnOff(std::string_view name, bool value) {
  values_.insert_or_assign(std::string(name), Value(value));
}

void MemorySettings::WriteBinary(std::string_view name, const std::vector<std::uint8_t>& value) {
  values_.insert_or_assign(std::string(name), Value(value));
}

}  // namespace quorvex
