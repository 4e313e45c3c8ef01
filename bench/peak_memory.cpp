#include "peak_memory.h"

#include <charconv>
#include <fstream>
#include <string>
#include <string_view>

namespace quorvex::bench {
namespace {

// A "Name:   1234 kB" line of /proc/self/status, in bytes; 0 when absent.
std::int64_t StatusBytes(std::string_view name) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.compare(0, name.size(), name) != 0 || line.size() <= name.size() ||
        line[name.size()] != ':') {
      continue;
    }
    const std::size_t digits = line.find_first_of("0123456789");
    std::int64_t kilobytes = 0;
    if (digits != std::string::npos) {
      std::from_chars(line.data() + digits, line.data() + line.size(), kilobytes);
    }
    return kilobytes * 1024;
  }
  return 0;
}

}  // namespace

void PeakMemory::Start() {
  // "5" resets the peak resident size to the current one.
  std::ofstream("/proc/self/clear_refs") << "5";
  start_bytes_ = StatusBytes("VmRSS");
}

std::int64_t PeakMemory::RiseBytes() const {
  return StatusBytes("VmHWM") - start_bytes_;
}

}  // namespace quorvex::bench
