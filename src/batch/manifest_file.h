#pragma once

#include <optional>
#include <string>

#include "engine/failure.h"
#include "engine/file_writer.h"
#include "manifest.h"

namespace quorvex {

/// The manifest of a destination as a run finds it.
struct ManifestRead {
  /// Empty when there is none, or when it could not be read.
  Manifest manifest;
  /// kManifestDamaged when something is there that cannot be read as a manifest.
  std::optional<Failure> failure;
};

/// Reads the manifest of `destination` (which ends in "/").
ManifestRead ReadManifest(const std::string& destination);

/// Merges `entries` into the manifest of `destination` and writes it through a Replacement,
/// holding a lock (flock on a lock file beside it) from reading to writing, so that runs into
/// one folder at the same time never lose each other's entries. An entry given replaces the one
/// recorded, except that a skipped file keeps an entry it has, and that an entry whose data file
/// has been replaced since (by a run that finished later) gives way to a recorded one that
/// describes the file on disk. A manifest that cannot be read is replaced by one of `entries`
/// alone, and said: kManifestDamaged. kManifestNotWritten when it cannot be written, with the
/// system's reason; else nothing.
std::optional<Failure> MergeIntoManifest(const std::string& destination, const Manifest& entries,
                                         FileWriter& writer = SystemFileWriter());

}  // namespace quorvex
