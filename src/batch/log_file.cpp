#include "log_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quorvex {
namespace {

Failure LogError(const std::string& path, int error) {
  return {Failure::Kind::kLogNotWritten, path, {}, 0, std::strerror(error)};
}

}  // namespace

std::optional<Failure> WriteLogFile(const std::string& path,
                                    const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text.append(line);
    text.append("\r\n");
  }
  // Opened without blocking, so that a pipe without a reader in the log's place fails at once
  // instead of holding the run; writes then block again, as they must for a pipe that is read.
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) return LogError(path, errno);
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  const char* data = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const ssize_t n = write(fd, data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      close(fd);
      return LogError(path, error);
    }
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  // Some file systems report a failed write only when the file is closed.
  if (close(fd) != 0) return LogError(path, errno);
  return std::nullopt;
}

}  // namespace quorvex
