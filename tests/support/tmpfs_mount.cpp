#include "support/tmpfs_mount.h"

#include <sys/mount.h>

#include <cerrno>
#include <cstring>

namespace quorvex::testing {

TmpfsMount::TmpfsMount(const std::string& size, bool read_only) {
  const std::string options = "size=" + size + ",mode=0755";
  const unsigned long flags = MS_NOSUID | MS_NODEV | (read_only ? MS_RDONLY : 0);
  mounted_ = mount("tmpfs", dir_.path().c_str(), "tmpfs", flags, options.c_str()) == 0;
  if (!mounted_) {
    why_not_ = "cannot mount a tmpfs here (";
    why_not_.append(std::strerror(errno));
    why_not_.append("); mounting needs root");
  }
}

TmpfsMount::~TmpfsMount() {
  // Detached, so that a file a failed test left open cannot keep the folder from going.
  if (mounted_) umount2(dir_.path().c_str(), MNT_DETACH);
}

}  // namespace quorvex::testing
