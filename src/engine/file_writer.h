#pragma once

#include <string_view>

namespace quorvex {

/// The system's edge for the bytes of every file the programs write: write(2) and close(2) on a
/// descriptor. Tests derive from it to fail as a full disk or a broken medium does.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  /// Writes all of `bytes` to `fd`, going on after an interruption. 0, or the system's error.
  virtual int Write(int fd, std::string_view bytes);
  /// Closes `fd`. 0, or the system's error: some file systems report a failed write only here.
  virtual int Close(int fd);
};

/// The writer that the system's calls do the work of.
FileWriter& SystemFileWriter();

}  // namespace quorvex
