#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvex {

/// Why the conversion of one DXF file stopped early. Raised by the walk and the entity readers;
/// only `ConversionErrorText` spells it for the report.
struct ConversionError {
  enum class Kind {
    kGroupCodeNotInteger,  // a group-code line that a reader converts is not an integer
    kValueNotNumber,       // a value that must be a number is not one (empty text included)
    kEndsInsideEntity,     // the file ends before the "0" line that ends the current entity
    kFileChanged,          // the file was shortened by another program while it was read
    kDataFileNotWritten,   // the data file could not be created or written
  };
  Kind kind;
  std::string text;       // the trimmed text that failed, or the system's reason
  std::int64_t line = 0;  // 1-based line of the DXF file
};

/// The report line for `error`, two leading blanks included.
std::string ConversionErrorText(const ConversionError& error);

}  // namespace quorvex
