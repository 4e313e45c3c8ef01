#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "log_viewer.h"
#include "message_boxes.h"

namespace quorvex {

/// The log file's name, in the folder that Paths chooses for it.
inline constexpr std::string_view kLogFileName = "QuorvexLog.txt";

/// Replaces the file at `path` with `lines`, each ended by CR LF. Returns an empty text on
/// success, otherwise the error naming the path and the system's reason.
std::string WriteLogFile(const std::string& path, const std::vector<std::string>& lines);

/// The "Show last Log" command: opens the log at `log_path`, or tells that there is none.
void ShowLastLog(const std::string& log_path, LogViewer& viewer, MessageBoxes& messages);

}  // namespace quorvex
