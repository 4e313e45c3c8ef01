#include "data_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quorvex {

DataFile::~DataFile() {
  Close();
}

bool DataFile::Create(const std::string& path) {
  fd_ = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0) {
    error_ = std::strerror(errno);
    return false;
  }
  return true;
}

void DataFile::Spill() {
  if (limit_ < kBufferSize) {
    // Reserved at once, never grown step by step: every step would touch fresh pages.
    buffer_.reserve(kBufferSize + (kBufferSize >> 2));
    limit_ = kBufferSize;
    return;
  }
  Flush();
}

void DataFile::Flush() {
  const char* data = buffer_.data();
  std::size_t left = buffer_.size();
  while (left > 0 && error_.empty() && fd_ >= 0) {
    const ssize_t n = write(fd_, data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      error_ = std::strerror(errno);
      break;
    }
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  buffer_.clear();
}

bool DataFile::Close() {
  if (fd_ < 0) return error_.empty();
  Flush();
  if (close(fd_) != 0 && error_.empty()) error_ = std::strerror(errno);
  fd_ = -1;
  return error_.empty();
}

}  // namespace quorvex
