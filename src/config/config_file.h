#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_tree.h"
#include "engine/failure.h"

namespace quorvex {

/// The largest file read as a configuration: a .qrv file with room for the captions and chunks
/// that its reader passes over, and many times the TOML form of any configuration. A larger file
/// is not a configuration.
inline constexpr std::size_t kMaxConfigFileSize = 1 << 16;
static_assert(kMaxConfigFileSize == std::size_t{64} * 1024,
              "the refusal of a larger file says 64 KiB");

/// A configuration file's bytes, or why they could not be read.
struct ConfigFileRead {
  std::string bytes;
  std::optional<Failure> failure;
};

/// A configuration read from a file's bytes, or why they were refused.
struct ConfigRead {
  ConfigContent content;
  std::optional<Failure> failure;
  /// The keys of the texts that were not UTF-8 and were read as ANSI_1252 (ReadForeignTexts).
  std::vector<std::string> ansi_texts = {};
};

/// Reads the whole configuration file at `path`, whatever its form. A file that cannot be opened
/// or read fails with kConfigNotOpened and the system's reason; one that is not a regular file (a
/// folder, a pipe, a device) with kNotAConfig, without being opened for a read that might never
/// end; one larger than kMaxConfigFileSize with kConfigTooLarge, read no further.
ConfigFileRead ReadConfigFile(const std::filesystem::path& path);

/// Writes `bytes` as the configuration file at `path`, creating or replacing it through a new
/// file beside it (ReplaceFile), so a failed write never leaves a truncated configuration behind,
/// and neither a link nor anything that is not a regular file is written through or replaced.
/// kConfigNotWritten with the system's reason, or nothing when the file was written.
std::optional<Failure> WriteConfigFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace quorvex
