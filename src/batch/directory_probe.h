#pragma once

#include <string_view>

namespace quorvex {

/// The name of the file that the write test creates and deletes again.
inline constexpr std::string_view kProbeFileName = "quorvex$_$.tmp";

/// True when a new file can be created in `directory`: the probe file is created exclusively and
/// removed at once. A missing directory, missing rights, a read-only medium and a leftover probe
/// file all give false.
bool DirectoryIsWritable(std::string_view directory);

}  // namespace quorvex
