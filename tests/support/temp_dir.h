#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

namespace quorvex::testing {

/// A fresh directory under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

/// A named pipe at `path` for the life of the object. Should anything block opening it for
/// reading, a writer that opens and closes it at once lets it go on (reading nothing), so a test
/// of a reader that wrongly waits on a pipe fails instead of hanging.
class ReleasedFifo {
 public:
  explicit ReleasedFifo(std::string path);
  ~ReleasedFifo();
  ReleasedFifo(const ReleasedFifo&) = delete;
  ReleasedFifo& operator=(const ReleasedFifo&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::atomic<bool> done_{false};
  std::thread releaser_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, std::string_view bytes);

}  // namespace quorvex::testing
