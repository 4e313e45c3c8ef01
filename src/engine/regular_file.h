#pragma once

#include <string>

namespace quorvex {

/// A file opened for reading by OpenRegularFile.
struct OpenedFile {
  int fd = -1;               // -1 when refused or not opened
  bool not_regular = false;  // a folder, a pipe, a device or a socket: refused
  bool folder = false;       // refused as a folder
  int error = 0;             // errno of a failed open
};

/// Why a file that is not a regular one is refused, in the system's words where it has them.
std::string NotRegularFileReason(bool folder);

/// Opens `path` for reading only when it is a regular file (links followed). Anything else is
/// refused before it is opened, and the file is opened without blocking, so that a pipe or a
/// device put in a file's place can neither hold the caller nor feed it without end.
OpenedFile OpenRegularFile(const std::string& path);

}  // namespace quorvex
