#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/convert_dxf_file.h"

namespace quorvex {

/// The record of the runs into a destination, kept in the destination under this name.
inline constexpr std::string_view kManifestName = ".quorvex-manifest.json";

/// A file's size and the time of its last change (UTC, ISO 8601 to the nanosecond).
struct FileStamp {
  std::int64_t size = 0;
  std::string modified;

  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

/// The stamp of a file's last change given in nanoseconds since the epoch.
FileStamp StampOf(std::int64_t size, std::int64_t modified_ns);
/// The stamp of the file at `path` (links followed); nothing when there is no such file.
std::optional<FileStamp> StampOf(const std::string& path);

/// What the record keeps of one data file: how the last conversion into it ended, from which
/// drawing and under which configuration.
struct ManifestEntry {
  std::string drawing;                     // the drawing's path
  std::optional<FileStamp> drawing_stamp;  // none when the drawing could not be read
  std::string drawing_sha256;              // empty when the drawing could not be read
  std::string configuration;               // ConfigurationHash
  std::string version;                     // of the program
  ConversionOutcome outcome = ConversionOutcome::kFailed;
  std::string reason;  // why it failed or was skipped, in plain words; empty otherwise
  std::int64_t data_lines = 0;
  /// The entities processed by kind, for the kinds the configuration enables, by their names.
  std::vector<std::pair<std::string, std::int64_t>> counts;
  /// The data file as this conversion left it; none when it put no data file in place.
  std::optional<FileStamp> data_file;

  friend bool operator==(const ManifestEntry&, const ManifestEntry&) = default;
};

/// The entries by data file name.
using Manifest = std::map<std::string, ManifestEntry>;

/// The manifest as JSON text. Names and paths that are not UTF-8 are kept byte for byte: every
/// byte that is not part of a valid UTF-8 character, and every "%", is written as "%XX".
std::string ManifestJson(const Manifest& manifest);

/// The manifest of `json`, or nothing with `error` set when the text is not one.
std::optional<Manifest> ParseManifest(std::string_view json, std::string& error);

}  // namespace quorvex
