#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quorvex {

/// The names of the per-user settings, with the type each is stored as.
namespace setting {
inline constexpr std::string_view kWidth = "w";                 // text: decimal integer
inline constexpr std::string_view kHeight = "h";                // text: decimal integer
inline constexpr std::string_view kShowTips = "showtips";       // on/off
inline constexpr std::string_view kShowLog = "showlog";         // on/off
inline constexpr std::string_view kDxfPath = "dxfpath";         // text: folder path
inline constexpr std::string_view kDestPath = "destpath";       // text: folder path
inline constexpr std::string_view kLocked = "locked";           // on/off
inline constexpr std::string_view kFileListHeader = "VTFiles";  // binary
inline constexpr std::string_view kPanelWidth = "pan3";         // text: decimal integer
inline constexpr std::string_view kAutoSelect = "autosel";      // on/off
inline constexpr std::string_view kConfig = "config";           // text: file name without folder
}  // namespace setting

/// The per-user settings store. A missing value, or one stored with another type, reads as
/// empty text, as no on/off value, and as no bytes.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string ReadText(std::string_view name) const = 0;
  virtual std::optional<bool> ReadOnOff(std::string_view name) const = 0;
  virtual std::vector<std::uint8_t> ReadBinary(std::string_view name) const = 0;
  virtual void WriteText(std::string_view name, std::string_view value) = 0;
  virtual void WriteOnOff(std::string_view name, bool value) = 0;
  virtual void WriteBinary(std::string_view name, const std::vector<std::uint8_t>& value) = 0;
};

/// A text value read as a decimal integer, whatever the locale; nullopt when missing or not one.
std::optional<std::int32_t> ReadInteger(const SettingsStore& store, std::string_view name);
void WriteInteger(SettingsStore& store, std::string_view name, std::int32_t value);

/// Settings held in memory: for tests, and for programs that keep no settings between runs.
class MemorySettings final : public SettingsStore {
 public:
  std::string ReadText(std::string_view name) const override;
  std::optional<bool> ReadOnOff(std::string_view name) const override;
  std::vector<std::uint8_t> ReadBinary(std::string_view name) const override;
  void WriteText(std::string_view name, std::string_view value) override;
  void WriteOnOff(std::string_view name, bool value) override;
  void WriteBinary(std::string_view name, const std::vector<std::uint8_t>& value) override;

 private:
  using Value = std::variant<std::string, bool, std::vector<std::uint8_t>>;
  template <typename T>
  const T* Find(std::string_view name) const;

  std::map<std::string, Value, std::less<>> values_;
};

}  // namespace quorvex
