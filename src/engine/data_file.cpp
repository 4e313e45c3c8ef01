#include "data_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "file_replacement.h"
#include "regular_file.h"

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
  fd_ = CreateReplacement(path, temporary_path_);
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
  if (sink_) {
    sink_->Write(buffer_);
    buffer_.clear();
    return;
  }
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
  if (sink_) {
    Flush();
    sink_ = nullptr;
    return true;
  }
  if (fd_ < 0) return error_.empty();
  Flush();
  if (close(fd_) != 0 && error_.empty()) error_ = std::strerror(errno);
  fd_ = -1;
  const int error = PlaceReplacement(temporary_path_, path_, keep_existing_);
  if (error != 0 && error_.empty()) error_ = std::strerror(error);
  placed_ = error == 0;
  return error_.empty();
}

}  // namespace quorvex
