#pragma once

#include <cstdint>
#include <string>

namespace quorvex {

/// Why a file, or a whole run, could not be done: the one vocabulary of failures. Readers, the
/// walk, the batch run, the configuration files and the command line raise it; only words files
/// spell it: report_words.h the report's words and those both front ends show alike.
struct Failure {
  enum class Kind {
    // One DXF file; the report block names it.
    kDxfUnreadable,         // the drawing cannot be opened or read (`reason`)
    kNotDxf,                // no line reads "ENTITIES"
    kEmptyFile,             // likewise, and the file is empty
    kDwgDrawing,            // likewise, and the file is a DWG drawing
    kBinaryDxf,             // likewise, and the file is a binary DXF drawing
    kGroupCodeNotInteger,   // a group-code line that a reader converts (`text`, `line`)
    kValueNotNumber,        // a value that must be a number, empty text included (`text`, `line`)
    kCoordinateOutOfRange,  // a computed coordinate overflowed (`line`: the entity's first)
    kEndsInsideEntity,      // the file ends before the line that ends the entity (`line`)
    kFileChanged,           // another program changed the drawing while it was read
    kDataFileNotWritten,    // the data file could not be created or written (`reason`)
    kDataFileWouldReplaceDxf,  // the data file is a drawing of the run (`path`)
    kDataFileExists,           // skipped: the data file exists and is left alone (`path`)
    kDrawingUnchanged,  // skipped: converted before from the same bytes and configuration (`path`)
    // A whole run, refused before anything is written, or its log.
    kDestinationNotWritable,  // `path`: the destination with its "/"; `reason`
    kConfigValueRefused,      // `node`: the option's field node index; `text`: its value
    kExtensionRefused,        // `text`: the data-file extension
    kDecimalCommaWithComma,   // a decimal comma with a separator that holds a comma (`text`)
    kLogNotWritten,           // `path`, `reason`
    kLogIsRunFile,            // the log would replace a file the run reads or writes (`path`)
    kManifestNotWritten,      // the record of the run's outcomes (`path`, `reason`)
    kManifestDamaged,         // that record could not be read and was replaced (`path`, `text`)
    kFolderNotListed,         // an input folder that cannot be listed (`path`, `reason`)
    // The program's folders.
    kNoLogFolder,             // no folder for the log file is known
    kNoConfigurationsFolder,  // no configurations folder is known
    kFolderNotCreated,        // `path`, `reason`
    // Configuration files. Each front end says them in its own words, but those of the TOML form.
    kConfigNotOpened,   // a configuration file that cannot be opened or read (`path`, `reason`)
    kNotAConfig,        // a file that is not a configuration (`path`)
    kConfigTooLarge,    // a file larger than any configuration (`path`)
    kConfigDamaged,     // a .qrv file whose tree stream is damaged (`path`, `text`: why)
    kConfigNotWritten,  // a configuration file that cannot be created or written (`path`, `reason`)
    kConfigNotToml,     // neither a .qrv file nor TOML (`path`, `line`, `text`: the TOML error)
    kConfigTomlRefused,  // TOML that is no configuration (`path`, `line`, `text`: why)
    // The command line's own refusals.
    kDestinationIsFile,     // the destination names a file that is not a folder (`path`)
    kExtensionHoldsSlash,   // the extension holds the path separator (`text`)
    kSavedConfigIsRunFile,  // --save-config would replace a file the run reads or writes (`path`)
  };
  Kind kind;
  std::string path = {};
  std::string text = {};    // the trimmed text that failed
  std::int64_t line = 0;    // 1-based line of the DXF file or the configuration's text
  std::string reason = {};  // the system's reason
  int node = -1;            // the field node index of a refused configuration value

  friend bool operator==(const Failure&, const Failure&) = default;
};

}  // namespace quorvex
