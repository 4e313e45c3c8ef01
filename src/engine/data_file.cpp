#include "data_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "regular_file.h"
#include "unique_file.h"

namespace quorvex {

DataFile::~DataFile() {
  Close();
}

bool DataFile::Create(const std::string& path) {
  struct stat info = {};
  if (lstat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode)) {
    error_ = NotRegularFileReason(S_ISDIR(info.st_mode));
    return false;
  }
  const std::size_t slash = path.rfind('/');
  const std::string directory = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
  fd_ = CreateUniqueFile(directory, kTemporaryPrefix, ".tmp", temporary_path_);
  if (fd_ < 0) {
    error_ = std::strerror(errno);
    return false;
  }
  path_ = path;
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
  // A link fails where a file of the name exists, and then the temporary file goes.
  const bool moved = keep_existing_ ? link(temporary_path_.c_str(), path_.c_str()) == 0
                                    : std::rename(temporary_path_.c_str(), path_.c_str()) == 0;
  if (!moved && error_.empty()) error_ = std::strerror(errno);
  if (!moved || keep_existing_) unlink(temporary_path_.c_str());
  placed_ = moved;
  return error_.empty();
}

}  // namespace quorvex
