#include <string>

#include "engine/dxf_conversion.h"
#include "engine/readers/entity_groups.h"
#include "engine/readers/entity_readers.h"

namespace quorvex {

void ReadMText(DxfConversion& conversion) {
  EntityIdentity identity;
  TVecteur point;
  // A long text is stored in pieces: groups 3 hold the leading ones and group 1 the last, so
  // appending them in file order rebuilds it.
  std::string text;
  // The extrusion is not read: the insertion point is exported as the file gives it.
  while (conversion.NextGroup()) {
    identity.Take(conversion);
    TakeNumberPoint(conversion, 10, point);
    if (conversion.GroupCodeNumber == 1 || conversion.GroupCodeNumber == 3) {
      text.append(conversion.GroupValue);
    }
  }
  conversion.WriteComputedPoint(point, identity.handle, identity.layer, "MTEXT", {}, text);
  conversion.CountEntity(entity_kind::kMText);
}

void ReadText(DxfConversion& conversion) {
  EntityIdentity identity;
  TVecteur point;
  TVecteur extrusion{0, 0, 1};
  std::string_view text;
  // The exported point is always the one of group 10, whatever the justification.
  while (conversion.NextGroup()) {
    identity.Take(conversion);
    TakeNumberPoint(conversion, 10, point);
    TakeNumberPoint(conversion, kExtrusionCode, extrusion);
    if (conversion.GroupCodeNumber == 1) text = conversion.GroupValue;
  }
  conversion.WriteComputedPoint(ObjectToWorld(point, extrusion), identity.handle, identity.layer,
                                "TEXT", {}, text);
  conversion.CountEntity(entity_kind::kText);
}

}  // namespace quorvex
