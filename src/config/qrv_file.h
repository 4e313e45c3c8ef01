#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "config/config_model.h"
#include "config/config_tree.h"
#include "config/tree_stream.h"

namespace quorvex {

/// Size of the record part of a configuration file; the entity-tree stream starts here.
inline constexpr std::size_t kConfigRecordSize = 8784;
/// Size of every configuration file written: the trees' structure and captions are fixed.
inline constexpr std::size_t kConfigFileSize = 12749;
/// The largest file read as a configuration: what is written, with room for the captions and
/// chunks that a reader passes over. A larger file is not a configuration.
inline constexpr std::size_t kMaxConfigFileSize = 1 << 16;

/// The bytes of a configuration file: the record's nine fields in file order (`Signature`,
/// `DataFileExtension`, `BlockNames`, `SeparatorIndex`, `SeparatorText`, `IncludeHeader`,
/// `EntityChecks`, `FieldChecks`, `FieldValues`; every text slot copied whole, bytes behind the
/// length included), then the entity-tree and data-tree streams.
std::string ConfigFileBytes(const ConfigContent& content);

/// The bytes a save of `model` writes: the record takes the signature "QRV300" and every node is
/// initialised first, as before every save.
std::string QrvBytesToSave(ConfigModel& model);

/// True when `bytes` start with the identifier: the short string "QRV300", length byte included.
bool HasConfigIdentifier(std::string_view bytes);

/// A configuration file taken apart.
struct ParsedConfigFile {
  bool identified = false;  // the identifier was found
  TreeStreamError tree_error = TreeStreamError::kNone;
  ConfigContent content;  // complete only when ok()

  bool ok() const { return identified && tree_error == TreeStreamError::kNone; }
  /// "This is not a Quorvex configuration file", a tree stream's message, or empty.
  std::string_view ErrorMessage() const;
};

/// Reads a configuration file held in memory. A file without the identifier is refused before
/// anything else is read; then the record, the entity-tree stream at its fixed offset and the
/// data-tree stream right behind it. Bytes after the data-tree stream are ignored. A text slot
/// whose length byte exceeds its capacity is cut to the capacity.
ParsedConfigFile ParseConfigFile(std::string_view bytes);

/// What reading a configuration file gave.
struct ConfigFileRead {
  std::string bytes;
  int error = 0;            // the system's error when the file could not be opened or read
  bool not_config = false;  // not a regular file, or larger than kMaxConfigFileSize
  bool ok() const { return error == 0 && !not_config; }
};

/// Reads a whole configuration file, as ReadWholeFile does, telling why it could not.
ConfigFileRead ReadConfigFile(const std::filesystem::path& path);

/// Reads a whole configuration file. A file that cannot be opened or read gives the message
/// naming the path and the system's reason; one that is not a regular file (a folder, a pipe, a
/// device) or is larger than kMaxConfigFileSize gives "This is not a Quorvex configuration file",
/// without being opened for a read that might never end. The result is false then.
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes, std::string& error);

/// Writes `bytes` as WriteWholeFile does; the system's error, or 0 when the file was written.
int WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

/// Writes `bytes` as the file at `path`, creating or replacing it. The bytes go to a temporary
/// file beside it first, which then replaces the target, so a failed write never leaves a
/// truncated configuration behind. On failure `error` holds the message naming the path and the
/// system's reason, and the result is false.
bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes, std::string& error);

}  // namespace quorvex
