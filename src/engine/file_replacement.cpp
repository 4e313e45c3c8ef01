#include "file_replacement.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "regular_file.h"
#include "unique_file.h"

namespace quorvex {

std::string ReplacementRefusal(const std::string& path) {
  struct stat info = {};
  if (lstat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) return {};
  // A link is replaced, never written through; but a link to a device or a pipe is most likely
  // one of the system's (/dev/stdout), which must not go.
  if (S_ISLNK(info.st_mode) && (stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode))) return {};
  return NotRegularFileReason(S_ISDIR(info.st_mode));
}

Replacement::~Replacement() {
  Discard();
}

bool Replacement::Start(const std::string& path) {
  error_ = ReplacementRefusal(path);
  if (!error_.empty()) return false;
  const std::size_t slash = path.rfind('/');
  const std::string directory = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
  fd_ = CreateUniqueFile(directory, kReplacementPrefix, ".tmp", temporary_path_);
  if (fd_ < 0) {
    Fail(errno);
    return false;
  }
  // The lock stays with the second descriptor after the first is closed, whose close must be
  // seen on its own for the errors it reports.
  lock_fd_ = fcntl(fd_, F_DUPFD_CLOEXEC, 0);
  if (lock_fd_ >= 0) flock(lock_fd_, LOCK_EX | LOCK_NB);
  path_ = path;
  return true;
}

void Replacement::Fail(int error) {
  if (error_.empty()) error_ = std::strerror(error != 0 ? error : EIO);
}

void Replacement::Write(std::string_view bytes) {
  if (fd_ < 0 || Failed()) return;
  if (const int error = writer_.Write(fd_, bytes); error != 0) Fail(error);
}

bool Replacement::Finish(bool keep_existing) {
  if (fd_ < 0) return false;
  if (const int error = writer_.Close(fd_); error != 0) Fail(error);
  fd_ = -1;
  if (!Failed()) {
    if (keep_existing) {
      // A link fails where a file of the name exists; the temporary name goes either way.
      placed_ = link(temporary_path_.c_str(), path_.c_str()) == 0;
    } else if (std::rename(temporary_path_.c_str(), path_.c_str()) == 0) {
      placed_ = true;
      temporary_path_.clear();
    }
    if (!placed_) Fail(errno);
  }
  Discard();
  return placed_;
}

void Replacement::Discard() {
  if (fd_ >= 0) writer_.Close(fd_);
  fd_ = -1;
  if (!temporary_path_.empty()) unlink(temporary_path_.c_str());
  temporary_path_.clear();
  if (lock_fd_ >= 0) close(lock_fd_);
  lock_fd_ = -1;
}

std::string ReplaceFile(const std::string& path, std::string_view bytes, FileWriter& writer) {
  Replacement replacement(writer);
  if (replacement.Start(path)) {
    replacement.Write(bytes);
    replacement.Finish();
  }
  return replacement.error();
}

}  // namespace quorvex
