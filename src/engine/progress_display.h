#pragma once

#include <cstdint>
#include <string_view>

namespace quorvex {

/// What a conversion shows while it runs. `ProcessPendingMessages` is called once per group pair;
/// an implementation decides how often it really does something, so the call must stay cheap.
class ProgressDisplay {
 public:
  virtual ~ProgressDisplay() = default;
  virtual void ShowAndRepaint() = 0;
  virtual void SetLabel(std::string_view label) = 0;
  virtual void SetMaximum(std::int64_t maximum) = 0;
  virtual void SetPosition(std::int64_t position) = 0;
  virtual void ProcessPendingMessages() = 0;
};

/// Shows nothing: for tests and for runs without a window.
class NullProgressDisplay final : public ProgressDisplay {
 public:
  void ShowAndRepaint() override {}
  void SetLabel(std::string_view) override {}
  void SetMaximum(std::int64_t) override {}
  void SetPosition(std::int64_t) override {}
  void ProcessPendingMessages() override {}
};

}  // namespace quorvex
