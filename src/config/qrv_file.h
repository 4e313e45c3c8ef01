#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "config/config_model.h"
#include "config/config_tree.h"
#include "config/tree_stream.h"
#include "engine/failure.h"

namespace quorvex {

/// Size of the record part of a configuration file; the entity-tree stream starts here.
inline constexpr std::size_t kConfigRecordSize = 8784;
/// Size of every configuration file written: the trees' structure and captions are fixed.
inline constexpr std::size_t kConfigFileSize = 12749;

/// The bytes of a configuration file: the record's nine fields in file order (`Signature`,
/// `DataFileExtension`, `BlockNames`, `SeparatorIndex`, `SeparatorText`, `IncludeHeader`,
/// `EntityChecks`, `FieldChecks`, `FieldValues`; every text slot copied whole, bytes behind the
/// length included), then the entity-tree and data-tree streams; the data tree as RecordNodes
/// gives it.
std::string ConfigFileBytes(const ConfigContent& content);

/// The bytes a save of `model` writes, once it is prepared as before every save.
std::string QrvBytesToSave(ConfigModel& model);

/// True when `bytes` start with the identifier: the short string "QRV300", length byte included.
bool HasConfigIdentifier(std::string_view bytes);

/// A configuration file taken apart.
struct ParsedConfigFile {
  bool identified = false;  // the identifier was found
  TreeStreamError tree_error = TreeStreamError::kNone;
  ConfigContent content;  // complete only when ok()

  bool ok() const { return identified && tree_error == TreeStreamError::kNone; }
  /// Why the file at `path` was refused: kNotAConfig without the identifier, kConfigDamaged with
  /// the tree stream's message; nothing when ok().
  std::optional<Failure> FailureAt(const std::string& path) const;
};

/// Reads a configuration file held in memory. A file without the identifier is refused before
/// anything else is read; then the record, the entity-tree stream at its fixed offset and the
/// data-tree stream right behind it, whose tree is completed as CompleteDataTree does. Bytes after
/// the data-tree stream are ignored. A text slot whose length byte exceeds its capacity is cut to
/// the capacity.
ParsedConfigFile ParseConfigFile(std::string_view bytes);

}  // namespace quorvex
