#pragma once

#include <string_view>

namespace quorvex {

/// How the file that the write test creates and deletes again is named: this, ten random letters
/// and ".tmp", so that runs into one folder never stand in each other's way.
inline constexpr std::string_view kProbeFilePrefix = "quorvex$_$";

/// True when a new file can be created in `directory`: a probe file of a new name is created
/// exclusively and removed at once. A missing directory, missing rights and a read-only medium
/// give false.
bool DirectoryIsWritable(std::string_view directory);

}  // namespace quorvex
