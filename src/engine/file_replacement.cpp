#include "file_replacement.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "unique_file.h"

namespace quorvex {

int CreateReplacement(const std::string& path, std::string& temporary_path) {
  const std::size_t slash = path.rfind('/');
  const std::string directory = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
  return CreateUniqueFile(directory, kReplacementPrefix, ".tmp", temporary_path);
}

int PlaceReplacement(const std::string& temporary_path, const std::string& path,
                     bool keep_existing) {
  // A link fails where a file of the name exists, and then the temporary file goes.
  const bool placed = keep_existing ? link(temporary_path.c_str(), path.c_str()) == 0
                                    : std::rename(temporary_path.c_str(), path.c_str()) == 0;
  const int error = placed ? 0 : errno;
  if (!placed || keep_existing) unlink(temporary_path.c_str());
  return error;
}

int ReplaceFile(const std::string& path, std::string_view bytes) {
  std::string temporary_path;
  const int fd = CreateReplacement(path, temporary_path);
  if (fd < 0) return errno;
  int error = 0;
  std::size_t written = 0;
  while (written < bytes.size() && error == 0) {
    const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
    if (n >= 0) {
      written += static_cast<std::size_t>(n);
    } else if (errno != EINTR) {
      error = errno;
    }
  }
  // Some file systems report a failed write only when the file is closed.
  if (close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    unlink(temporary_path.c_str());
    return error;
  }
  return PlaceReplacement(temporary_path, path);
}

}  // namespace quorvex
