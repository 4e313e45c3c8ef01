#pragma once

#include <string>

namespace quorvex::testing {

/// A small survey drawing: three inserts of the point block "PT" on the layer "POINTS", whose
/// attributes give a point number (PNR), a height (H) and a code (CODE), and one insert of "MH"
/// without attributes; then a POINT. In order:
/// - PT at (2600001.5, 1200001.25): PNR 101, H 412.30, CODE "TREE, oak" (a comma in a value);
/// - PT at (2600002, 1200002): PNR 102 and H 412.5, CODE missing;
/// - PT at (2600003, 1200003): PNR 103 twice (the second "999"), H 413, and a multiline CODE
///   whose MTEXT reads "Fence\PCorner" (its one-line rendering "Fence Corner");
/// - MH at (2600004, 1200004), no attributes; the POINT at (2600005, 1200005, 7).
std::string AttributedPointsDxf();

}  // namespace quorvex::testing
