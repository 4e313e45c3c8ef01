#pragma once

#include <string>
#include <string_view>

#include "batch/process_checks.h"
#include "batch/run_batch.h"
#include "config/config_model.h"
#include "desk/dxf_browser.h"
#include "desk/log_viewer.h"
#include "desk/output_directory.h"
#include "desk/preferences.h"
#include "desk/prompts.h"

namespace quorvex {

/// A run as "Process selected files" hands it to `RunBatch`: copies, so that the run does not
/// depend on the editors while it goes on.
struct PreparedRun {
  ProcessCheck check = ProcessCheck::kPassed;
  TExportConfig config{};
  RunTables tables;
  BatchRequest request;
  /// Open the log in the viewer once the run has written it.
  bool show_report = false;
};

/// "Process selected files" up to the run. The checks run in the command's order over the
/// extension box's text and the trees; unless the extension check fails, the resolved separator
/// is stored in the current record (which makes the configuration count as changed) and stays
/// there when a later check fails. A failed check shows its information message; the caller puts
/// the keyboard focus into the extension box for kNoExtension. On kPassed, `config`, `tables`,
/// `request` and `show_report` are set: the browser's selected files in display order, the
/// destination, the log file and the show-report preference, converted by one worker.
PreparedRun PrepareProcessCommand(ConfigModel& model, std::string_view extension_text,
                                  std::string_view other_separator_text, const DxfBrowser& browser,
                                  const OutputDirectory& output, const Preferences& preferences,
                                  const std::string& log_path, Prompts& prompts);

/// What the window shows when the run of `run` has ended with `result`: a refused run, a
/// manifest that could not be read or written, and a log that could not be written, each in an
/// error message; the log in the viewer, when asked and written.
void FinishProcessCommand(const PreparedRun& run, const BatchResult& result, Prompts& prompts,
                          LogViewer& viewer);

}  // namespace quorvex
