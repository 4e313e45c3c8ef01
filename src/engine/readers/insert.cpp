#include <optional>
#include <string>

#include "engine/blocks/block_content.h"
#include "engine/blocks/block_expansion.h"
#include "engine/blocks/insert_transform.h"
#include "engine/dxf_conversion.h"
#include "engine/number_text.h"
#include "engine/readers/entity_groups.h"
#include "engine/readers/entity_readers.h"

namespace quorvex {
namespace {

// The marker of the MTEXT that a multiline attribute embeds (group 101).
constexpr std::string_view kEmbeddedObject = "Embedded Object";

// Reads one ATTRIB, the cursor on its first group, and hands its tag and value on. A multiline
// attribute's value is the text of its embedded MTEXT, in pieces as an MTEXT's (groups 3, then
// 1), which stand after the marker; the group 1 before it holds a one-line rendering only.
void ReadAttrib(DxfConversion& conversion, std::string& multiline_text) {
  std::string_view tag, text;
  bool multiline = false;
  while (conversion.NextGroup()) {
    const int code = conversion.GroupCodeNumber;
    if (code == 101 && conversion.GroupValue == kEmbeddedObject) {
      multiline = true;
      multiline_text.clear();
    } else if (multiline) {
      if (code == 1 || code == 3) multiline_text.append(conversion.GroupValue);
    } else if (code == 1) {
      text = conversion.GroupValue;
    } else if (code == 2) {
      tag = conversion.GroupValue;
    }
  }
  conversion.TakeAttribute(tag, multiline ? std::string_view(multiline_text) : text, multiline);
}

// Reads the ATTRIB entities that follow an insert up to its SEQEND, the cursor on the "0" line
// after the insert's groups; returns with the cursor behind the name SEQEND, whose groups the walk
// passes over, as after a POLYLINE. Another entity before the SEQEND fails.
void ReadAttributes(DxfConversion& conversion) {
  std::string multiline_text;
  for (;;) {
    const std::string_view name = conversion.NextEntityName();
    if (name == "SEQEND") return;
    if (name != "ATTRIB") conversion.FailSeqendMissing();
    ReadAttrib(conversion, multiline_text);
  }
}

}  // namespace

void ReadInsert(DxfConversion& conversion) {
  EntityIdentity identity;
  std::string_view block_name = "!NoBlockName!", text;
  InsertPlacement placement;
  // Scale, rotation and array are read only for the expansion: without it they stay unread.
  const bool expanding = conversion.Expansion != nullptr;
  bool attributes_follow = false;
  while (conversion.NextGroup()) {
    identity.Take(conversion);
    TakeNumberPoint(conversion, 10, placement.point);
    TakeNumberPoint(conversion, kExtrusionCode, placement.extrusion);
    if (conversion.GroupCodeNumber == 1) {
      text = conversion.GroupValue;
    } else if (conversion.GroupCodeNumber == 2) {
      block_name = conversion.GroupValue;
    } else if (conversion.GroupCodeNumber == 66 && conversion.ReadsAttributes()) {
      const std::optional<std::int32_t> flag = ParseInt32(conversion.GroupValue);
      if (!flag) conversion.FailNotNumber(conversion.Value());
      attributes_follow = *flag == 1;
    } else if (expanding) {
      TakePlacementGroup(conversion, placement);
    }
  }
  const TVecteur point = ObjectToWorld(placement.point, placement.extrusion);
  // An insert placed in a block takes no attribute values: its ATTRIB and SEQEND entities are
  // left to the walk, which passes over them, and the expanded lines get empty attribute columns.
  if (conversion.Recorder) {
    conversion.Recorder->AddInsert(
        {block_name, identity.handle, identity.layer, text, point, placement});
    return;
  }
  // The filter and the tally compare the name decoded; the data line decodes it itself.
  const DecodedText name = conversion.DecodeBlockName(block_name);
  if (!conversion.BlockPasses(name.text)) return;
  if (conversion.EntityChecked(entity_node::kBlocks)) {
    // Only a run with attribute columns reads the attributes; any other leaves the ATTRIB and
    // SEQEND entities to the walk, which passes over them. A walk over part of the ENTITIES
    // section must therefore neither start nor end between an INSERT and its SEQEND.
    if (attributes_follow) ReadAttributes(conversion);
    WriteInsertLine(conversion, point, identity.handle, identity.layer, block_name, name, text);
    conversion.ClearAttributes();
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
