#include "entity_scan.h"

#include <string_view>

#include "dxf_lines.h"
#include "text_util.h"

namespace quorvex {

EntityScan ScanEntities(const DxfLines& lines, std::int64_t first) {
  EntityScan scan;
  DxfCursor cursor = lines.Begin();
  for (;;) {
    if (lines.AtEnd(cursor)) return scan;
    if (Trimmed(lines.Take(cursor)) == "ENTITIES") break;
  }
  while (!lines.AtEnd(cursor)) {
    const std::int64_t pair_line = cursor.line;
    const std::string_view code = Trimmed(lines.Take(cursor));
    if (lines.AtEnd(cursor)) break;
    const std::string_view value = Trimmed(lines.Take(cursor));
    if (code != "0") continue;
    if (value == "ENDSEC") break;
    // Parts of the entity before them, which its reader takes along.
    if (value == "VERTEX" || value == "ATTRIB" || value == "SEQEND") continue;
    if (scan.total == first) scan.stop_line = pair_line;
    ++scan.total;
  }
  return scan;
}

}  // namespace quorvex
