#pragma once

#include <string>
#include <string_view>

namespace quorvex {

/// What "Drawing information..." shows of one drawing.
struct DrawingInformation {
  bool read = false;  // false: `text` says why the drawing could not be read
  std::string text;   // the lines of DrawingInfoLines, each ended by "\n"
};

/// Reads the drawing at `dxf_path` for "Drawing information...", its texts decoded as the
/// configuration's runs decode them (`code_page`: ExtendedSettings::code_page).
DrawingInformation ReadDrawingInformation(const std::string& dxf_path, std::string_view code_page);

}  // namespace quorvex
