#include "regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quorvex {

OpenedFile OpenRegularFile(const std::string& path) {
  OpenedFile file;
  struct stat info = {};
  if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    file.not_regular = true;
    file.folder = S_ISDIR(info.st_mode);
    return file;
  }
  file.fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (file.fd < 0) {
    file.error = errno;
    return file;
  }
  // The name may have been given to another file between the two looks.
  if (fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(file.fd);
    file.fd = -1;
    file.not_regular = true;
    file.folder = S_ISDIR(info.st_mode);
  }
  return file;
}

std::string NotRegularFileReason(bool folder) {
  return folder ? std::strerror(EISDIR) : "Not a regular file";
}

}  // namespace quorvex
