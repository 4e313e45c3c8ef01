#pragma once

#include <QSettings>

#include "desk/settings_store.h"

namespace quorvex::ui {

/// The settings store over QSettings. Values keep the settings' names; on/off values are
/// stored as 0 or 1 and read as on for any non-zero number; the binary value as a byte array.
/// Nothing is written before the first setting is, so a first start creates the file then.
class QSettingsStore final : public SettingsStore {
 public:
  /// The user's settings of the program: organisation "Mentavo", application "quorvex4".
  QSettingsStore();
  /// The settings file at `path` in the native format (for tests).
  explicit QSettingsStore(const QString& path);

  std::string ReadText(std::string_view name) const override;
  std::optional<bool> ReadOnOff(std::string_view name) const override;
  std::vector<std::uint8_t> ReadBinary(std::string_view name) const override;
  void WriteText(std::string_view name, std::string_view value) override;
  void WriteOnOff(std::string_view name, bool value) override;
  void WriteBinary(std::string_view name, const std::vector<std::uint8_t>& value) override;

 private:
  QVariant Value(std::string_view name) const;
  void SetValue(std::string_view name, const QVariant& value);

  mutable QSettings settings_;
};

}  // namespace quorvex::ui
