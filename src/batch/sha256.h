#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

/// The SHA-256 digest of `bytes`, as 64 lowercase hexadecimal digits.
std::string Sha256Hex(std::string_view bytes);

/// The SHA-256 digest of the regular file at `path`, read in large blocks; nothing when it
/// cannot be opened or read.
std::optional<std::string> FileSha256Hex(const std::string& path);

}  // namespace quorvex
