#pragma once

#include <cstdint>

namespace quorvex::bench {

/// How far the resident memory of this process rises above where it stood at `Start`. Mapped
/// file pages count as they are touched, as the system counts them. Where the high-water mark
/// cannot be reset (no write access to /proc/self/clear_refs) the process's lifetime peak is
/// used instead, which can only overstate the rise.
class PeakMemory {
 public:
  void Start();
  std::int64_t RiseBytes() const;

 private:
  std::int64_t start_bytes_ = 0;
};

}  // namespace quorvex::bench
