#pragma once

#include <cstdint>
#include <string>

namespace quorvex {

/// Why a file, or a whole run, could not be done: the one vocabulary of failures. Readers, the
/// walk, the batch run and the command line raise it; only report_words.h spells it.
struct Failure {
  enum class Kind {
    // One DXF file; the report block names it.
    kDxfUnreadable,         // the drawing cannot be opened or read (`reason`)
    kNotDxf,                // no line reads "ENTITIES"
    kGroupCodeNotInteger,   // a group-code line that a reader converts (`text`, `line`)
    kValueNotNumber,        // a value that must be a number, empty text included (`text`, `line`)
    kCoordinateOutOfRange,  // a computed coordinate overflowed (`line`: the entity's first)
    kEndsInsideEntity,      // the file ends before the line that ends the entity (`line`)
    kFileChanged,           // another program changed the drawing while it was read
    kDataFileNotWritten,    // the data file could not be created or written (`reason`)
    kDataFileWouldReplaceDxf,  // the data file is a drawing of the run (`path`)
    kDataFileExists,           // skipped: the data file exists and is left alone (`path`)
    // A whole run, refused before anything is written, or its log.
    kDestinationNotWritable,  // `path`: the destination with its "/"
    kConfigValueRefused,      // `node`: the option's field node index; `text`: its value
    kExtensionRefused,        // `text`: the data-file extension
    kLogNotWritten,           // `path`, `reason`
    kLogIsRunFile,            // the log would replace a file the run reads or writes (`path`)
    kFolderNotListed,         // an input folder that cannot be listed (`path`, `reason`)
    // The command line's own refusals.
    kDestinationIsFile,    // the destination names a file that is not a folder (`path`)
    kExtensionHoldsSlash,  // the extension holds the path separator (`text`)
    kConfigNotOpened,      // a configuration file that cannot be opened or read (`path`, `reason`)
    kNotAConfig,           // a file that is not a configuration (`path`)
    kConfigNotWritten,     // --save-config could not create or write the file (`path`, `reason`)
    kConfigDamaged,        // a configuration file refused for `text` (`path`)
  };
  Kind kind;
  std::string path = {};
  std::string text = {};    // the trimmed text that failed
  std::int64_t line = 0;    // 1-based line of the DXF file
  std::string reason = {};  // the system's reason
  int node = -1;            // the field node index of a refused configuration value

  friend bool operator==(const Failure&, const Failure&) = default;
};

}  // namespace quorvex
