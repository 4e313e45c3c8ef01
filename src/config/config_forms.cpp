#include "config/config_forms.h"

#include "config/qrv_file.h"
#include "config/toml_config.h"

namespace quorvex {

ConfigRead ReadConfiguration(const std::filesystem::path& path) {
  const ConfigFileRead file = ReadConfigFile(path);
  if (file.failure) return {{}, file.failure};
  if (!HasConfigIdentifier(file.bytes)) return ParseConfigToml(file.bytes, path.string());
  ParsedConfigFile parsed = ParseConfigFile(file.bytes);
  return {std::move(parsed.content), parsed.FailureAt(path.string())};
}

}  // namespace quorvex
