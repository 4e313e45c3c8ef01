#include "file_writer.h"

#include <unistd.h>

#include <cerrno>

namespace quorvex {

int FileWriter::Write(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

int FileWriter::Close(int fd) {
  return close(fd) == 0 ? 0 : errno;
}

FileWriter& SystemFileWriter() {
  static FileWriter writer;
  return writer;
}

}  // namespace quorvex
