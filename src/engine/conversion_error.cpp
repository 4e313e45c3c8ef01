#include "conversion_error.h"

namespace quorvex {

std::string ConversionErrorText(const ConversionError& error) {
  const std::string line = std::to_string(error.line);
  switch (error.kind) {
    case ConversionError::Kind::kGroupCodeNotInteger:
      return "  *** Error, the group code \"" + error.text + "\" is not an integer (line " + line +
             ") ***";
    case ConversionError::Kind::kValueNotNumber:
      return "  *** Error, the value \"" + error.text + "\" is not a number (line " + line +
             ") ***";
    case ConversionError::Kind::kEndsInsideEntity:
      return "  *** Error, the file ends inside an entity (line " + line + ") ***";
    case ConversionError::Kind::kFileChanged:
      return "  *** Error, file is used by another application ***";
    case ConversionError::Kind::kDataFileNotWritten:
      return "  *** Error, the data file could not be written: " + error.text + " ***";
  }
  return {};
}

}  // namespace quorvex
