#pragma once

#include <string_view>

namespace quorvex {

/// Modal message boxes with one OK button; the call returns when the user has closed the box.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void Information(std::string_view text) = 0;
  virtual void Error(std::string_view text) = 0;
};

}  // namespace quorvex
