#include "stray_temporaries.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string_view>
#include <system_error>

#include "file_replacement.h"
#include "file_time.h"

namespace quorvex {
namespace {

bool IsTemporaryName(std::string_view name) {
  constexpr std::string_view kSuffix = ".tmp";
  constexpr std::size_t kLetters = 10;
  if (name.size() != kReplacementPrefix.size() + kLetters + kSuffix.size() ||
      !name.starts_with(kReplacementPrefix) || !name.ends_with(kSuffix))
    return false;
  for (const char c : name.substr(kReplacementPrefix.size(), kLetters)) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!letter) return false;
  }
  return true;
}

// Removes the file at `path` when it is an old temporary file that nobody holds.
bool RemoveIfStray(const std::string& path, std::int64_t before_ns) {
  // Opened for writing, without following a link, as a lock over a network file system needs.
  const int fd = open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info = {}, named = {};
  bool removed = false;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ModifiedNanoseconds(info) < before_ns &&
      flock(fd, LOCK_EX | LOCK_NB) == 0 && lstat(path.c_str(), &named) == 0 &&
      named.st_dev == info.st_dev && named.st_ino == info.st_ino) {
    removed = unlink(path.c_str()) == 0;
  }
  close(fd);
  return removed;
}

}  // namespace

std::size_t RemoveStrayTemporaries(const std::string& directory, std::int64_t before_ns) {
  std::size_t removed = 0;
  std::error_code error;
  for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (IsTemporaryName(name) && RemoveIfStray(directory + name, before_ns)) ++removed;
  }
  return removed;
}

}  // namespace quorvex
