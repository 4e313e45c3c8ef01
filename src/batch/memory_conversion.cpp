#include "memory_conversion.h"

#include "engine/progress_display.h"
#include "run_setup.h"

namespace quorvex {

MemoryConversion ConvertIntoMemory(const TExportConfig& config, const RunTables& tables,
                                   const ExtendedSettings& extended, const DxfLines& lines,
                                   std::string_view dxf_name, DataSink& sink,
                                   const std::atomic<bool>& cancelled, std::int64_t stop_line) {
  MemoryConversion result;
  const DataFormat& format = extended.format;
  const TExportConfig run_config = RunConfig(config, format);
  result.refusal = CheckRunConfig(run_config, format);
  if (result.refusal) return result;
  NullProgressDisplay no_progress;
  ConversionRun run{run_config,
                    tables,
                    RunHeaderLine(run_config, tables, extended),
                    std::string(run_config.BlockNames.View()),
                    {},
                    cancelled,
                    no_progress,
                    format};
  TakeExtendedSettings(extended, run);
  run.Sink = &sink;
  run.StopLine = stop_line;
  result.outcome = ConvertDxfLines(run, lines, dxf_name, std::string(dxf_name));
  result.report = std::move(run.ReportLines);
  return result;
}

}  // namespace quorvex
