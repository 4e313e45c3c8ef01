#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvex {

/// Removes from `directory` (ending in "/") the temporary files of replacements that a killed
/// program left behind: regular files named as Replacement names them (".quorvex-", ten letters
/// and digits, ".tmp") that were last changed before `before_ns` (nanoseconds since the epoch,
/// by the file system's clock) and that no replacement under way holds locked. Anything else,
/// and anything that cannot be looked at, is left alone. Returns how many files were removed.
std::size_t RemoveStrayTemporaries(const std::string& directory, std::int64_t before_ns);

}  // namespace quorvex
