#pragma once

#include <cerrno>
#include <cstddef>
#include <string_view>

#include "engine/file_writer.h"

namespace quorvex::testing {

/// Writes the first `limit` bytes given to it (over all its files, a part of a write included),
/// then fails every write with `error`, as a full disk does; with `fail_close`, closing a file
/// fails with EIO instead, as a network file system reports a lost write.
class FailingWriter final : public FileWriter {
 public:
  explicit FailingWriter(std::size_t limit, int error = ENOSPC) : limit_(limit), error_(error) {}

  int Write(int fd, std::string_view bytes) override {
    const std::size_t room = limit_ > written_ ? limit_ - written_ : 0;
    const std::string_view taken = bytes.substr(0, room);
    if (const int error = FileWriter::Write(fd, taken); error != 0) return error;
    written_ += taken.size();
    return taken.size() < bytes.size() ? error_ : 0;
  }
  int Close(int fd) override {
    const int error = FileWriter::Close(fd);
    return fail_close ? EIO : error;
  }

  bool fail_close = false;

 private:
  std::size_t limit_;
  int error_;
  std::size_t written_ = 0;
};

}  // namespace quorvex::testing
