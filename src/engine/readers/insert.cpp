#include "engine/dxf_conversion.h"
#include "engine/readers/entity_groups.h"
#include "engine/readers/entity_readers.h"

namespace quorvex {

void ReadInsert(DxfConversion& conversion) {
  EntityIdentity identity;
  std::string_view block_name = "!NoBlockName!", text;
  TVecteur point, extrusion{0, 0, 1};
  while (conversion.NextGroup()) {
    identity.Take(conversion);
    TakeNumberPoint(conversion, 10, point);
    TakeNumberPoint(conversion, kExtrusionCode, extrusion);
    if (conversion.GroupCodeNumber == 1) {
      text = conversion.GroupValue;
    } else if (conversion.GroupCodeNumber == 2) {
      block_name = conversion.GroupValue;
    }
  }
  ObjectToWorld(extrusion, {&point, 1});
  // The filter and the tally compare the name decoded; the data line decodes it itself.
  const DecodedText name = conversion.DecodeBlockName(block_name);
  if (!conversion.BlockPasses(name.text)) return;
  conversion.WriteComputedPoint(point, identity.handle, identity.layer, "INSERT", block_name, text);
  conversion.CountEntity(entity_kind::kBlocks);
  conversion.TallyBlock(name);
}

}  // namespace quorvex
