// Feeds arbitrary bytes to the configuration file reader. Properties: no crash and no sanitizer
// report; a refused file always has a message; an accepted file survives the model's load rules
// and tree rules, and what a save then writes is 12,749 bytes that read back to the same
// configuration.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/config_model.h"
#include "config/qrv_file.h"

namespace {

void Check(bool property) {
  if (!property) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvex;
  const ParsedConfigFile parsed =
      ParseConfigFile(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!parsed.ok()) {
    Check(!parsed.ErrorMessage().empty());
    return 0;
  }
  ConfigModel model;
  model.SetConfigLoading(true);
  model.ReplaceContent(parsed.content);
  model.SetConfigLoading(false);
  model.SetSignature("QRV300");
  model.InitializeAllNodes();
  const std::string saved = ConfigFileBytes(model.content());
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
