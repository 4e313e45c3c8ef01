#include "file_identity.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

namespace quorvex {

bool SameFile(const std::string& a, const std::string& b) {
  struct stat info_a = {}, info_b = {};
  if (stat(a.c_str(), &info_a) == 0 && stat(b.c_str(), &info_b) == 0) {
    return info_a.st_dev == info_b.st_dev && info_a.st_ino == info_b.st_ino;
  }
  std::error_code error_a, error_b;
  const std::filesystem::path canonical_a = std::filesystem::weakly_canonical(a, error_a);
  const std::filesystem::path canonical_b = std::filesystem::weakly_canonical(b, error_b);
  return !error_a && !error_b && canonical_a == canonical_b;
}

}  // namespace quorvex
