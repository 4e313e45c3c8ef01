#include "directory_probe.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "data_file_name.h"
#include "engine/file_time.h"
#include "engine/unique_file.h"

namespace quorvex {

DirectoryProbe ProbeDirectory(std::string_view directory) {
  DirectoryProbe probe;
  std::string path;
  const int fd = CreateUniqueFile(WithTrailingSlash(directory), kProbeFilePrefix, ".tmp", path);
  if (fd < 0) {
    probe.error = errno != 0 ? errno : EIO;
    return probe;
  }
  struct stat info = {};
  if (fstat(fd, &info) == 0) probe.made_ns = ModifiedNanoseconds(info);
  close(fd);
  unlink(path.c_str());
  return probe;
}

}  // namespace quorvex
