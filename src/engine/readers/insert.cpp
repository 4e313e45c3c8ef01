#include <string>
#include <vector>

#include "engine/block_name_filter.h"
#include "engine/dxf_conversion.h"
#include "engine/readers/entity_groups.h"
#include "engine/readers/entity_readers.h"

namespace quorvex {
namespace {

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char ca = a[i], cb = b[i];
    if (ca >= 'a' && ca <= 'z') ca = static_cast<char>(ca - 'a' + 'A');
    if (cb >= 'a' && cb <= 'z') cb = static_cast<char>(cb - 'a' + 'A');
    if (ca != cb) return false;
  }
  return true;
}

// Counts one exported insert of `name`; an entry keeps the spelling that created it.
void TallyBlock(DxfConversion& conversion, std::string_view name) {
  std::vector<std::string>& names = conversion.BlockTallyNames;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (SameNameIgnoringCase(names[i], name)) {
      ++conversion.BlockTallyCounts[i];
      return;
    }
  }
  names.emplace_back(name);
  conversion.BlockTallyCounts.push_back(1);
}

}  // namespace

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
  if (!conversion.BlockFilterText.empty() &&
      !MatchPatternList(conversion.BlockFilterText, block_name)) {
    return;
  }
  conversion.WriteComputedPoint(point, identity.handle, identity.layer, "INSERT", block_name, text);
  conversion.CountEntity(entity_kind::kBlocks);
  TallyBlock(conversion, block_name);
}

}  // namespace quorvex
