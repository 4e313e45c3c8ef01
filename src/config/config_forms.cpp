#include "config/config_forms.h"

#include "config/foreign_texts.h"
#include "config/qrv_file.h"
#include "config/toml_config.h"
#include "engine/text_util.h"

namespace quorvex {

namespace {

// True for bytes that no text holds, and so no TOML: a NUL byte anywhere, or a control character
// other than a tab or a line end at the start, where a .qrv file has its identifier's length.
bool CannotBeText(std::string_view bytes) {
  if (bytes.find('\0') != std::string_view::npos) return true;
  if (bytes.empty()) return false;
  const auto first = static_cast<unsigned char>(bytes[0]);
  return (first < 0x20 && first != '\t' && first != '\n' && first != '\r') || first == 0x7F;
}

}  // namespace

ConfigRead ReadConfiguration(const std::filesystem::path& path) {
  const ConfigFileRead file = ReadConfigFile(path);
  if (file.failure) return {{}, file.failure};
  ConfigRead read;
  if (HasConfigIdentifier(file.bytes)) {
    ParsedConfigFile parsed = ParseConfigFile(file.bytes);
    read = {std::move(parsed.content), parsed.FailureAt(path.string())};
  } else if (CannotBeText(file.bytes)) {
    read.failure = Failure{Failure::Kind::kNotAConfig, path.string()};
  } else {
    read = ParseConfigToml(file.bytes, path.string());
  }
  if (!read.failure) read.ansi_texts = ReadForeignTexts(read.content.record);
  return read;
}

ConfigForm FormOfName(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  for (char& c : extension)
    c = AsciiUpper(c);
  return extension == ".TOML" ? ConfigForm::kToml : ConfigForm::kQrv;
}

std::string BytesToSave(ConfigModel& model, ConfigForm form) {
  model.PrepareToSave();
  return form == ConfigForm::kQrv ? ConfigFileBytes(model.content()) : ConfigToml(model.content());
}

}  // namespace quorvex
