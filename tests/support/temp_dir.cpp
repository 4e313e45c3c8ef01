#include "support/temp_dir.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quorvex::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quorvex-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

ReleasedFifo::ReleasedFifo(std::string path) : path_(std::move(path)) {
  if (mkfifo(path_.c_str(), 0600) != 0) throw std::runtime_error("mkfifo " + path_);
  releaser_ = std::thread([this] {
    while (!done_.load()) {
      // Succeeds only while a reader waits on the pipe.
      const int fd = open(path_.c_str(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) close(fd);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
}

ReleasedFifo::~ReleasedFifo() {
  done_.store(true);
  releaser_.join();
}

}  // namespace quorvex::testing
