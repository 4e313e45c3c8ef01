#include "manifest_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine/file_replacement.h"
#include "engine/regular_file.h"

namespace quorvex {
namespace {

constexpr std::string_view kLockName = ".quorvex-manifest.lock";

std::string ManifestPath(const std::string& destination) {
  return destination + std::string(kManifestName);
}

// The whole file, or nothing with `reason` set; an absent file is empty.
std::optional<std::string> ReadWhole(const std::string& path, std::string& reason) {
  const OpenedFile file = OpenRegularFile(path);
  if (file.error == ENOENT) return std::string();
  if (file.fd < 0) {
    reason = file.not_regular ? NotRegularFileReason(file.folder) : std::strerror(file.error);
    return std::nullopt;
  }
  std::string text;
  char block[1 << 16];
  ssize_t n;
  while ((n = read(file.fd, block, sizeof block)) != 0) {
    if (n < 0) {
      if (errno == EINTR) continue;
      reason = std::strerror(errno);
      close(file.fd);
      return std::nullopt;
    }
    text.append(block, static_cast<std::size_t>(n));
  }
  close(file.fd);
  return text;
}

// The lock of a destination's manifest: a file beside it, removed again by its holder. A run
// that waited for it checks that what it locked is still the file of that name, and tries again
// when the holder removed it meanwhile.
class ManifestLock {
 public:
  explicit ManifestLock(const std::string& destination)
      : path_(destination + std::string(kLockName)) {
    for (;;) {
      fd_ = open(path_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
      if (fd_ < 0) {
        error_ = errno;
        return;
      }
      struct stat held = {}, named = {};
      if (flock(fd_, LOCK_EX) == 0 && fstat(fd_, &held) == 0 && lstat(path_.c_str(), &named) == 0 &&
          held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
        return;
      }
      close(fd_);
    }
  }
  ~ManifestLock() {
    if (fd_ < 0) return;
    unlink(path_.c_str());
    close(fd_);
  }
  ManifestLock(const ManifestLock&) = delete;
  ManifestLock& operator=(const ManifestLock&) = delete;

  /// The system's error when the lock could not be had; 0 when it is held.
  int error() const { return error_; }

 private:
  std::string path_;
  int fd_ = -1;
  int error_ = 0;
};

// Whether `entry` replaces `recorded` for the data file at `data_path`.
bool Replaces(const ManifestEntry& entry, const ManifestEntry& recorded,
              const std::string& data_path) {
  if (entry.outcome == ConversionOutcome::kSkipped) return false;
  if (!entry.data_file) return true;
  const std::optional<FileStamp> on_disk = StampOf(data_path);
  return on_disk == entry.data_file || on_disk != recorded.data_file;
}

}  // namespace

ManifestRead ReadManifest(const std::string& destination) {
  ManifestRead read;
  const std::string path = ManifestPath(destination);
  std::string why;
  const std::optional<std::string> text = ReadWhole(path, why);
  if (text && text->empty()) return read;
  std::optional<Manifest> manifest;
  if (text) manifest = ParseManifest(*text, why);
  if (manifest) {
    read.manifest = std::move(*manifest);
  } else {
    read.failure = Failure{Failure::Kind::kManifestDamaged, path, why};
  }
  return read;
}

std::optional<Failure> MergeIntoManifest(const std::string& destination, const Manifest& entries,
                                         FileWriter& writer) {
  const std::string path = ManifestPath(destination);
  const ManifestLock lock(destination);
  if (lock.error() != 0)
    return Failure{Failure::Kind::kManifestNotWritten, path, {}, 0, std::strerror(lock.error())};
  ManifestRead read = ReadManifest(destination);
  Manifest& merged = read.manifest;
  for (const auto& [name, entry] : entries) {
    const auto recorded = merged.find(name);
    if (recorded == merged.end()) {
      merged.emplace(name, entry);
    } else if (Replaces(entry, recorded->second, destination + name)) {
      recorded->second = entry;
    }
  }
  std::string reason = ReplaceFile(path, ManifestJson(merged), writer);
  if (!reason.empty())
    return Failure{Failure::Kind::kManifestNotWritten, path, {}, 0, std::move(reason)};
  return read.failure;
}

}  // namespace quorvex
