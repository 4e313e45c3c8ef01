#pragma once

#include <cstdint>
#include <string_view>

namespace quorvex {

/// How the file that the write test creates and deletes again is named: this, ten random letters
/// and ".tmp", so that runs into one folder never stand in each other's way.
inline constexpr std::string_view kProbeFilePrefix = "quorvex$_$";

/// What the write test of a directory found.
struct DirectoryProbe {
  /// The system's error when no file can be created there (a missing directory, missing rights,
  /// a read-only medium); 0 when one can.
  int error = 0;
  /// When the probe file was made, by the file system's own clock: nanoseconds since the epoch.
  std::int64_t made_ns = 0;
};

/// Creates a probe file of a new name in `directory` exclusively and removes it at once.
DirectoryProbe ProbeDirectory(std::string_view directory);

/// True when a new file can be created in `directory`.
inline bool DirectoryIsWritable(std::string_view directory) {
  return ProbeDirectory(directory).error == 0;
}

}  // namespace quorvex
