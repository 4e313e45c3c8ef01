#pragma once

#include <sys/stat.h>

#include <cstdint>

namespace quorvex {

/// The time of a file's last change in nanoseconds since the epoch, as the file system keeps it.
inline std::int64_t ModifiedNanoseconds(const struct stat& info) {
  return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

}  // namespace quorvex
