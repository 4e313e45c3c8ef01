#include "engine/blocks/block_content.h"
#include "engine/blocks/block_expansion.h"
#include "engine/blocks/insert_transform.h"
#include "engine/dxf_conversion.h"
#include "engine/readers/entity_groups.h"
#include "engine/readers/entity_readers.h"

namespace quorvex {

void ReadInsert(DxfConversion& conversion) {
  EntityIdentity identity;
  std::string_view block_name = "!NoBlockName!", text;
  InsertPlacement placement;
  // Scale, rotation and array are read only for the expansion: without it they stay unread.
  const bool expanding = conversion.Expansion != nullptr;
  while (conversion.NextGroup()) {
    identity.Take(conversion);
    TakeNumberPoint(conversion, 10, placement.point);
    TakeNumberPoint(conversion, kExtrusionCode, placement.extrusion);
    if (conversion.GroupCodeNumber == 1) {
      text = conversion.GroupValue;
    } else if (conversion.GroupCodeNumber == 2) {
      block_name = conversion.GroupValue;
    } else if (expanding) {
      TakePlacementGroup(conversion, placement);
    }
  }
  const TVecteur point = ObjectToWorld(placement.point, placement.extrusion);
  if (conversion.Recorder) {
    conversion.Recorder->AddInsert(
        {block_name, identity.handle, identity.layer, text, point, placement});
    return;
  }
  // The filter and the tally compare the name decoded; the data line decodes it itself.
  const DecodedText name = conversion.DecodeBlockName(block_name);
  if (!conversion.BlockPasses(name.text)) return;
  if (conversion.EntityChecked(entity_node::kBlocks)) {
    WriteInsertLine(conversion, point, identity.handle, identity.layer, block_name, name, text);
  }
  if (expanding) conversion.Expansion->Expand(conversion, block_name, identity.layer, placement);
}

void WriteInsertLine(DxfConversion& conversion, const TVecteur& point, std::string_view handle,
                     std::string_view layer, std::string_view block_field, DecodedText name,
                     std::string_view text) {
  conversion.WriteComputedPoint(point, handle, layer, "INSERT", block_field, text);
  conversion.CountEntity(entity_kind::kBlocks);
  conversion.TallyBlock(name);
}

}  // namespace quorvex
