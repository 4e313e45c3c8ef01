#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>

namespace quorvex {

/// A read-only memory map of a whole regular file that survives the file being shortened by
/// another program: a page that is no longer backed by the file reads as zeros instead of
/// killing the process with SIGBUS, and `Changed` tells that it happened.
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
  MappedFile(const char* data, std::size_t size, int slot)
      : data_(data), size_(size), slot_(slot) {}
  const char* data_;
  std::size_t size_;
  int slot_;
};

}  // namespace quorvex
