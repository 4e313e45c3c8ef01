#pragma once

#include <cstdint>

#include "engine/vecteur.h"

namespace quorvex {

class DxfConversion;

/// How an INSERT places its block: the insertion point that its own data line shows, and the
/// groups beyond it that only the expansion of the block reads.
struct InsertPlacement {
  TVecteur point;  // groups 10, 20, 30: in the insert's object coordinates
  TVecteur extrusion{0, 0, 1};
  TVecteur scale{1, 1, 1};    // groups 41, 42, 43
  long double rotation = 0;   // group 50, in degrees, read to its extended value
  std::int32_t columns = 1;   // group 70; fewer than 1 counts as 1
  std::int32_t rows = 1;      // group 71; likewise
  double column_spacing = 0;  // group 44
  double row_spacing = 0;     // group 45
};

/// Takes the current pair into `placement` when it is one of the groups 41, 42, 43, 50, 70, 71,
/// 44 or 45; a value that is not a number fails here, naming its own line.
void TakePlacementGroup(const DxfConversion& conversion, InsertPlacement& placement);

/// The map of one cell of an insert's array from the coordinates of its block to those of the
/// space the insert stands in: the block's base point to the origin, the scale factors, the
/// cell's offset (column and row spacings, not scaled), the rotation, the insertion point, and
/// from the insert's object coordinates to world coordinates.
///
/// Each component up to the object coordinates is evaluated in 80-bit extended precision as one
/// expression and stored as a double; the object-to-world step is the readers' own OcsToWcs.
/// Rotations by whole multiples of 90 degrees use exact cosines and sines, so that a quarter
/// turn leaves no trace of the rounding of pi.
class InsertTransform {
 public:
  InsertTransform(const InsertPlacement& placement, const TVecteur& base_point, std::int32_t column,
                  std::int32_t row);

  TVecteur Apply(const TVecteur& point) const;

 private:
  TVecteur base_;
  TVecteur scale_;
  long double cell_x_, cell_y_;
  long double cos_, sin_;
  TVecteur insertion_;
  TVecteur ax_, ay_, extrusion_;
  bool object_;  // the extrusion is not (0, 0, 1)
};

}  // namespace quorvex
