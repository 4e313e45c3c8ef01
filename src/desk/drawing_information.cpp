#include "desk/drawing_information.h"

#include "desk/window_words.h"
#include "engine/drawing_info.h"
#include "engine/report_words.h"

namespace quorvex {

DrawingInformation ReadDrawingInformation(const std::string& dxf_path, std::string_view code_page) {
  const DrawingInfoRead read = ReadDrawingInfo(dxf_path, code_page);
  DrawingInformation shown;
  if (!read.info) {
    shown.text = DrawingInfoFailureText(dxf_path, *read.failure);
    return shown;
  }
  shown.read = true;
  for (const std::string& line : DrawingInfoLines(dxf_path, *read.info)) {
    shown.text.append(line);
    shown.text.push_back('\n');
  }
  return shown;
}

}  // namespace quorvex
