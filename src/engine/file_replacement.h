#pragma once

#include <string>
#include <string_view>

namespace quorvex {

/// How the temporary files of a replacement start; they end in ten random letters and ".tmp".
inline constexpr std::string_view kReplacementPrefix = ".quorvex-";

// A file is replaced through a new file of a unique name beside it, which takes its place once
// it is written: until then a file of that name keeps its old content whole, two writers of one
// file leave the one that finished last, and a link in the file's place is replaced rather than
// written through.

/// Creates the new file that will replace `path`, in the same folder. Returns its descriptor and
/// sets `temporary_path`, or -1 with errno set when no file can be created there.
int CreateReplacement(const std::string& path, std::string& temporary_path);

/// Puts the written and closed file at `temporary_path` in the place of `path`; with
/// `keep_existing` only where no file of that name exists (failing with EEXIST otherwise). The
/// temporary file is gone afterwards either way. Returns 0, or the system's error.
int PlaceReplacement(const std::string& temporary_path, const std::string& path,
                     bool keep_existing = false);

/// Replaces the file at `path` with `bytes` through a new file. Returns 0, or the system's
/// error, and then the file at `path` is as it was.
int ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace quorvex
