#include "run_setup.h"

#include "engine/field_captions.h"
#include "engine/text_util.h"
#include "run_values.h"

namespace quorvex {

TExportConfig RunConfig(const TExportConfig& config, const DataFormat& format) {
  TExportConfig run_config = config;
  if (format.lf_line_ends && run_config.SeparatorText.View() == "\r\n")
    run_config.SeparatorText.Assign("\n");
  return run_config;
}

std::optional<Failure> CheckRunConfig(const TExportConfig& run_config, const DataFormat& format) {
  std::optional<Failure> refused = CheckRunValues(run_config);
  if (!refused) refused = CheckOutputFormat(run_config.SeparatorText.View(), format);
  return refused;
}

std::string RunHeaderLine(const TExportConfig& run_config, const RunTables& tables,
                          const ExtendedSettings& extended) {
  return BuildHeaderLine(tables, run_config.SeparatorText.View(), extended);
}

void TakeExtendedSettings(const ExtendedSettings& extended, ConversionRun& run) {
  run.LayerFilterText = std::string(Trimmed(extended.layers));
  run.CodePage = extended.code_page;
  run.Attributes = extended.attributes;
  run.Expansion = extended.expansion;
}

}  // namespace quorvex
