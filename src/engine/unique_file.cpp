#include "unique_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <random>

namespace quorvex {

int CreateUniqueFile(const std::string& directory, std::string_view prefix, std::string_view suffix,
                     std::string& path) {
  static constexpr std::string_view kLetters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937_64 random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = directory;
    path.append(prefix);
    for (int i = 0; i < 10; ++i)
      path.push_back(kLetters[pick(random)]);
    path.append(suffix);
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace quorvex
