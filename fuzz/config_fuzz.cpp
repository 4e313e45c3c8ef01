// Feeds arbitrary bytes to the configuration file reader and to the reader of the TOML form.
// Properties: no crash and no sanitizer report; a refused file always has a message; an accepted
// file survives the model's load rules and tree rules, and what a save then writes is 12,749
// bytes that read back to the same configuration; the TOML form of any configuration read in
// either form reads back to that configuration, byte for byte.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "config/config_model.h"
#include "config/qrv_file.h"
#include "config/toml_config.h"
#include "engine/report_words.h"

namespace {

void Check(bool property) {
  if (!property) std::abort();
}

// The TOML form of `content` gives `content` back.
void CheckTomlRoundTrip(const quorvex::ConfigContent& content) {
  using namespace quorvex;
  const ConfigRead back = ParseConfigToml(ConfigToml(content), "fuzz.toml");
  Check(!back.failure && ConfigFileBytes(back.content) == ConfigFileBytes(content) &&
        back.content.extended == content.extended);
}

// Bytes without the .qrv identifier are read as the TOML form, as the command line does.
void FuzzToml(std::string_view bytes) {
  using namespace quorvex;
  const ConfigRead read = ParseConfigToml(bytes, "fuzz.toml");
  if (read.failure) {
    Check(FailureText(*read.failure).rfind("fuzz.toml:", 0) == 0);
    return;
  }
  Check(ConfigFileBytes(read.content).size() == kConfigFileSize);
  CheckTomlRoundTrip(read.content);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvex;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!HasConfigIdentifier(bytes)) {
    FuzzToml(bytes);
    return 0;
  }
  const ParsedConfigFile parsed = ParseConfigFile(bytes);
  if (const std::optional<Failure> refused = parsed.FailureAt("fuzz.qrv")) {
    Check(refused->kind == Failure::Kind::kConfigDamaged && !refused->text.empty());
    return 0;
  }
  CheckTomlRoundTrip(parsed.content);
  ConfigModel model;
  model.LoadContent(parsed.content);
  const std::string saved = QrvBytesToSave(model);
  Check(saved.size() == kConfigFileSize);
  const ParsedConfigFile again = ParseConfigFile(saved);
  Check(again.ok() && SameConfig(again.content.record, model.record()) &&
        again.content.trees == model.trees());

  // The rules must hold up on whatever states the file brought.
  model.FocusDataNode(model.trees().data.back().data);
  model.MoveFieldUp();
  for (const ConfigTreeId id : {ConfigTreeId::kEntity, ConfigTreeId::kData}) {
    model.SetAllChecks(id, true);
    model.SetAllChecks(id, false);
    model.SetAllExpanded(id, true);
  }
  model.CollectRunTables();
  return 0;
}
