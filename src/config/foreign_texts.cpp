#include "config/foreign_texts.h"

#include "config/config_settings.h"
#include "config/config_words.h"
#include "config/toml_form.h"
#include "engine/text_decoder.h"
#include "engine/utf8.h"

namespace quorvex {

std::vector<std::string> ReadForeignTexts(TExportConfig& record) {
  std::vector<std::string> keys;
  // The decoder's first encoding is that of a drawing without a code page.
  TextDecoder decoder;
  std::string decoded;
  auto read = [&](auto& slot, int slot_index) {
    if (IsUtf8(slot.View())) return;
    decoded.clear();
    decoder.AppendUnescaped(slot.View(), decoded);
    slot.Assign(decoded);
    keys.emplace_back(toml_form::SlotWord(slot_index));
  };
  read(record.DataFileExtension, kSlotExtension);
  read(record.BlockNames, kSlotBlocks);
  read(record.SeparatorText, kSlotSeparatorOther);
  for (int node = 0; node < kFieldNodeCount; ++node) {
    // A data field's own slot holds no setting.
    if (!IsDataField(node))
      read(record.FieldValues[static_cast<std::size_t>(node)], kSlotFieldValues + node);
  }
  return keys;
}

}  // namespace quorvex
