#include "directory_probe.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "data_file_name.h"

namespace quorvex {

bool DirectoryIsWritable(std::string_view directory) {
  const std::string probe = WithTrailingSlash(directory) + std::string(kProbeFileName);
  // Exclusive creation, so that an existing file of that name is never removed by the test.
  const int fd = open(probe.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  close(fd);
  unlink(probe.c_str());
  return true;
}

}  // namespace quorvex
