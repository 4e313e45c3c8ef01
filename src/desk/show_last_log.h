#pragma once

#include <string>

#include "desk/log_viewer.h"
#include "desk/prompts.h"

namespace quorvex {

/// The "Show last Log" command: opens the log at `log_path`, or tells that there is none.
void ShowLastLog(const std::string& log_path, LogViewer& viewer, Prompts& prompts);

}  // namespace quorvex
