#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace quorvex {

/// A read-only memory map of a whole regular file that survives the file being changed by another
/// program: a page that is no longer backed by the file reads as zeros instead of killing the
/// process with SIGBUS, and `Changed` tells that the file was shortened or written to since it
/// was mapped, so that what was read from it cannot be trusted.
class MappedFile {
 public:
  /// Maps the open file `fd` of `size` bytes (size > 0); nullptr when the map fails.
  static std::unique_ptr<MappedFile> Map(int fd, std::size_t size);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  const char* data() const { return data_; }
  std::size_t size() const { return size_; }
  bool Changed() const;

 private:
  MappedFile(const char* data, std::size_t size, int slot, int fd, std::int64_t modified)
      : data_(data), size_(size), slot_(slot), fd_(fd), modified_(modified) {}
  const char* data_;
  std::size_t size_;
  int slot_;
  int fd_;                 // kept open to see the file's own size and time at the end
  std::int64_t modified_;  // last write when mapped, in nanoseconds
};

}  // namespace quorvex
