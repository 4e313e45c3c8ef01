#include "desk/show_last_log.h"

#include <sys/stat.h>

#include "desk/window_words.h"

namespace quorvex {

void ShowLastLog(const std::string& log_path, LogViewer& viewer, Prompts& prompts) {
  struct stat info;
  if (stat(log_path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
    viewer.Open(log_path);
    return;
  }
  prompts.Information(NoLogFileText());
}

}  // namespace quorvex
