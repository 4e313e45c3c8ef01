#pragma once

#include <ctime>

namespace quorvex {

/// The current local date and time, as the report's first line shows it.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::tm LocalNow() const = 0;
};

class SystemClock final : public Clock {
 public:
  std::tm LocalNow() const override;
};

}  // namespace quorvex
