#include "directory_probe.h"

#include <unistd.h>

#include <string>

#include "data_file_name.h"
#include "engine/unique_file.h"

namespace quorvex {

bool DirectoryIsWritable(std::string_view directory) {
  std::string probe;
  const int fd = CreateUniqueFile(WithTrailingSlash(directory), kProbeFilePrefix, ".tmp", probe);
  if (fd < 0) return false;
  close(fd);
  unlink(probe.c_str());
  return true;
}

}  // namespace quorvex
