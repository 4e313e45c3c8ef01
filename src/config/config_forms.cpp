#include "config/config_forms.h"

#include "config/qrv_file.h"
#include "config/toml_config.h"
#include "engine/text_util.h"

namespace quorvex {

ConfigRead ReadConfiguration(const std::filesystem::path& path) {
  const ConfigFileRead file = ReadConfigFile(path);
  if (file.failure) return {{}, file.failure};
  if (!HasConfigIdentifier(file.bytes)) return ParseConfigToml(file.bytes, path.string());
  ParsedConfigFile parsed = ParseConfigFile(file.bytes);
  return {std::move(parsed.content), parsed.FailureAt(path.string())};
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
