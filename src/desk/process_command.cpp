#include "desk/process_command.h"

#include <utility>

#include "desk/window_words.h"

namespace quorvex {

PreparedRun PrepareProcessCommand(ConfigModel& model, std::string_view extension_text,
                                  std::string_view other_separator_text, const DxfBrowser& browser,
                                  const OutputDirectory& output, const Preferences& preferences,
                                  const std::string& log_path, Prompts& prompts) {
  PreparedRun run;
  TExportConfig checked = model.record();
  RunTables tables = model.CollectRunTables();
  run.check = CheckProcessCommand(checked, extension_text, other_separator_text, tables);
  // The resolved separator belongs to the configuration even when a later check stops the
  // command, so the configuration then counts as changed.
  if (run.check != ProcessCheck::kNoExtension) model.SetSeparatorText(checked.SeparatorText.View());
  if (run.check != ProcessCheck::kPassed) {
    prompts.Information(ProcessCheckMessage(run.check));
    return run;
  }
  run.config = model.record();
  run.tables = tables;
  run.request.destination = output.destination();
  run.request.dxf_paths = browser.SelectedDxfPaths();
  run.request.log_path = log_path;
  run.request.extended = model.extended();
  run.request.jobs = 1;
  run.show_report = preferences.show_report();
  return run;
}

void FinishProcessCommand(const PreparedRun& run, const BatchResult& result, Prompts& prompts,
                          LogViewer& viewer) {
  if (result.refusal) {
    prompts.Error(WindowFailureText(*result.refusal));
    return;
  }
  if (result.manifest_failure) prompts.Error(WindowFailureText(*result.manifest_failure));
  if (result.log_failure) {
    prompts.Error(WindowFailureText(*result.log_failure));
  } else if (run.show_report) {
    viewer.Open(run.request.log_path);
  }
}

}  // namespace quorvex
