#pragma once

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace quorvex::testing {

/// A small tmpfs mounted on a fresh folder for the life of the object, to meet a full disk or a
/// read-only file system for real. Only a process that may mount (root, as in CI) gets one;
/// others skip the test with `why_not`.
class TmpfsMount {
 public:
  /// `size` as mount(8) takes it ("1m"); `read_only` mounts it so.
  explicit TmpfsMount(const std::string& size, bool read_only = false);
  ~TmpfsMount();
  TmpfsMount(const TmpfsMount&) = delete;
  TmpfsMount& operator=(const TmpfsMount&) = delete;

  bool mounted() const { return mounted_; }
  const std::string& why_not() const { return why_not_; }
  const std::filesystem::path& path() const { return dir_.path(); }
  std::string File(const std::string& name) const { return dir_.File(name); }

 private:
  TempDir dir_;
  bool mounted_ = false;
  std::string why_not_;
};

}  // namespace quorvex::testing
