#include "ui/qsettings_store.h"

#include <QByteArray>

namespace quorvex::ui {
namespace {

QString Key(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

QSettingsStore::QSettingsStore()
    : settings_(QStringLiteral("Mentavo"), QStringLiteral("quorvex4")) {}

QSettingsStore::QSettingsStore(const QString& path) : settings_(path, QSettings::NativeFormat) {}

QVariant QSettingsStore::Value(std::string_view name) const {
  return settings_.value(Key(name));
}

void QSettingsStore::SetValue(std::string_view name, const QVariant& value) {
  settings_.setValue(Key(name), value);
  // Written at once, as the registry would: a crash must not lose a preference.
  settings_.sync();
}

std::string QSettingsStore::ReadText(std::string_view name) const {
  const QVariant value = Value(name);
  // The native format reads every scalar back as text, so only byte arrays are another type.
  if (!value.isValid() || value.typeId() == QMetaType::QByteArray) return {};
  return value.toString().toStdString();
}

std::optional<bool> QSettingsStore::ReadOnOff(std::string_view name) const {
  bool is_number = false;
  const qlonglong number = Value(name).toString().toLongLong(&is_number);
  if (!is_number) return std::nullopt;
  return number != 0;
}

std::vector<std::uint8_t> QSettingsStore::ReadBinary(std::string_view name) const {
  const QVariant value = Value(name);
  if (value.typeId() != QMetaType::QByteArray) return {};
  const QByteArray bytes = value.toByteArray();
  return {bytes.begin(), bytes.end()};
}

void QSettingsStore::WriteText(std::string_view name, std::string_view value) {
  SetValue(name, QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

void QSettingsStore::WriteOnOff(std::string_view name, bool value) {
  SetValue(name, value ? 1 : 0);
}

void QSettingsStore::WriteBinary(std::string_view name, const std::vector<std::uint8_t>& value) {
  SetValue(name, QByteArray(reinterpret_cast<const char*>(value.data()),
                            static_cast<qsizetype>(value.size())));
}

}  // namespace quorvex::ui
