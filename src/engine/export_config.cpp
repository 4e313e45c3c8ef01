#include "export_config.h"

namespace quorvex {

const std::array<std::string_view, kEntityKindCount> EntityKindNames = {
    "Points",          "Circles",      "Arcs",         "Ellipses", "Lines",    "MultiLine Text",
    "SingleLine Text", "2D Polylines", "3D Polylines", "Splines",  "3D Faces", "Blocks"};

}  // namespace quorvex
