#pragma once

#include <string>
#include <string_view>

#include "file_writer.h"

namespace quorvex {

/// How the temporary files of a replacement start; they end in ten random letters and ".tmp".
inline constexpr std::string_view kReplacementPrefix = ".quorvex-";

/// Why the file at `path` must not be replaced: a folder, or anything else that is not a regular
/// file, also when a link in its place leads to it (a device node, a pipe). Empty when the name
/// is free, holds a regular file, or is a link to a regular file or to nothing.
std::string ReplacementRefusal(const std::string& path);

/// A file written under a unique temporary name beside the file it replaces, which takes its
/// place only once every byte has been written and the file closed without an error. Until then
/// a file of that name keeps its old content whole; a failed write never replaces anything and
/// leaves no temporary file behind; two writers of one file leave the one that finished last;
/// and a link in the file's place is replaced rather than written through. The temporary file is
/// locked (flock) while it exists, so that a later run, cleaning up after killed ones, leaves it
/// alone.
class Replacement {
 public:
  explicit Replacement(FileWriter& writer = SystemFileWriter()) : writer_(writer) {}
  /// An unfinished replacement is abandoned: its temporary file is removed.
  ~Replacement();
  Replacement(const Replacement&) = delete;
  Replacement& operator=(const Replacement&) = delete;

  /// Creates the temporary file for `path`; false, with `error` set, when `path` must not be
  /// replaced (ReplacementRefusal) or no file can be created in its folder.
  bool Start(const std::string& path);
  /// Writes `bytes`; after a failure, nothing more is written.
  void Write(std::string_view bytes);
  /// Closes the temporary file and, when nothing failed, puts it in the place of the file; with
  /// `keep_existing` only where no file of that name exists (failing with the system's "File
  /// exists" otherwise). The temporary file is gone afterwards either way. True when placed.
  bool Finish(bool keep_existing = false);

  bool Failed() const { return !error_.empty(); }
  /// Why the replacement failed, in the system's words.
  const std::string& error() const { return error_; }
  /// True once Finish has put the file in place.
  bool placed() const { return placed_; }

 private:
  void Fail(int error);
  void Discard();

  FileWriter& writer_;
  int fd_ = -1;
  int lock_fd_ = -1;  // a second descriptor, which keeps the lock until the file is placed
  bool placed_ = false;
  std::string path_;
  std::string temporary_path_;
  std::string error_;
};

/// Replaces the file at `path` with `bytes` through a Replacement. Empty when it was written,
/// otherwise why not (the system's reason), and then the file at `path` is as it was.
std::string ReplaceFile(const std::string& path, std::string_view bytes,
                        FileWriter& writer = SystemFileWriter());

}  // namespace quorvex
