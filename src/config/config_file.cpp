#include "config/config_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine/file_replacement.h"
#include "engine/regular_file.h"

namespace quorvex {
namespace {

// A failed call that left errno unset still needs a reason to show.
int Errno() {
  return errno != 0 ? errno : EIO;
}

}  // namespace

ConfigFileRead ReadConfigFile(const std::filesystem::path& path) {
  ConfigFileRead read;
  const OpenedFile file = OpenRegularFile(path.string());
  if (file.not_regular) {
    read.failure = Failure{Failure::Kind::kNotAConfig, path.string()};
    return read;
  }
  if (file.fd < 0) {
    read.failure =
        Failure{Failure::Kind::kConfigNotOpened, path.string(), {}, 0, std::strerror(file.error)};
    return read;
  }
  char buffer[16384];
  ssize_t n;
  int error = 0;
  // One byte beyond the largest configuration tells a larger file.
  while (read.bytes.size() <= kMaxConfigFileSize &&
         (n = ::read(file.fd, buffer, sizeof buffer)) != 0) {
    if (n < 0) {
      if (errno == EINTR) continue;
      error = Errno();
      break;
    }
    read.bytes.append(buffer, static_cast<std::size_t>(n));
  }
  close(file.fd);
  if (error != 0) {
    read.failure =
        Failure{Failure::Kind::kConfigNotOpened, path.string(), {}, 0, std::strerror(error)};
  } else if (read.bytes.size() > kMaxConfigFileSize) {
    read.failure = Failure{Failure::Kind::kConfigTooLarge, path.string()};
  }
  return read;
}

std::optional<Failure> WriteConfigFile(const std::filesystem::path& path, std::string_view bytes) {
  std::string reason = ReplaceFile(path.string(), bytes);
  if (reason.empty()) return std::nullopt;
  return Failure{Failure::Kind::kConfigNotWritten, path.string(), {}, 0, std::move(reason)};
}

}  // namespace quorvex
