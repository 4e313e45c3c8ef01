#include "format_coordinate.h"

#include <cstdio>

namespace quorvex {

bool FormatCoordinate(std::string_view text, int decimals, std::string& out) {
  return FormatCoordinateReference(text, decimals, out);
}

void FormatComputedCoordinate(double value, std::string& out) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17e", value);
  FormatCoordinateReference(buffer, 15, out);
}

}  // namespace quorvex
