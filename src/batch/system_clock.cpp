#include "clock.h"

namespace quorvex {

std::tm SystemClock::LocalNow() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

}  // namespace quorvex
