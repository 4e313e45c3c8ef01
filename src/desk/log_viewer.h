#pragma once

#include <string_view>

namespace quorvex {

/// Opens the log file in the user's text viewer without waiting for it.
class LogViewer {
 public:
  virtual ~LogViewer() = default;
  /// False when no viewer could be started for it.
  virtual bool Open(std::string_view log_path) = 0;
};

}  // namespace quorvex
