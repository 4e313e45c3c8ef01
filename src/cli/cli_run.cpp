#include "cli/cli_run.h"

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <thread>

#include "batch/data_file_name.h"
#include "batch/file_identity.h"
#include "batch/file_listing.h"
#include "batch/locale_formats.h"
#include "batch/process_checks.h"
#include "batch/program_paths.h"
#include "batch/run_batch.h"
#include "batch/run_values.h"
#include "cli/cli_config.h"
#include "cli/cli_progress.h"
#include "cli/cli_words.h"
#include "config/config_file.h"
#include "config/config_options.h"
#include "config/qrv_file.h"
#include "config/toml_config.h"
#include "engine/report_words.h"
#include "engine/text_util.h"

namespace quorvex::cli {
namespace {

namespace fs = std::filesystem;

void PrintError(std::FILE* err, std::string_view message) {
  std::fprintf(err, "quorvex-cli: %.*s\n", static_cast<int>(message.size()), message.data());
}

// A refusal's words on the error stream, without the padding blanks of the window's boxes.
void PrintFailure(std::FILE* err, const Failure& failure) {
  PrintError(err, Trimmed(CliFailureText(failure)));
}

// Every input as an absolute path; a folder gives its DXF files in the browser's name order. A
// folder that cannot be listed is told on `err` and sets `folder_failed`; an empty one among
// other inputs gets a warning.
std::vector<std::string> DxfPaths(const std::vector<std::string>& inputs, std::FILE* err,
                                  bool& folder_failed) {
  std::vector<std::string> paths;
  const DateTimeSeparators separators = CurrentDateTimeSeparators();
  for (const std::string& input : inputs) {
    std::error_code error;
    const std::string absolute = fs::absolute(input, error).string();
    if (!fs::is_directory(absolute, error)) {
      paths.push_back(absolute);
      continue;
    }
    FileList list;
    if (const std::optional<Failure> failure =
            list.List(absolute, /*auto_select=*/true, separators)) {
      PrintFailure(err, *failure);
      folder_failed = true;
      continue;
    }
    if (list.rows().empty() && inputs.size() > 1) {
      PrintError(err, EmptyFolderWarning(WithTrailingSlash(absolute)));
    }
    for (std::string& path : list.SelectedDxfPaths(WithTrailingSlash(absolute)))
      paths.push_back(std::move(path));
  }
  return paths;
}

// Inputs that would write the same data file, one line per clash; empty when there is none.
std::vector<std::string> DataFileClashes(const std::vector<std::string>& dxf_paths,
                                         const std::string& destination,
                                         std::string_view extension) {
  std::map<std::string, std::vector<std::string>> writers;
  std::vector<std::string> order;
  for (const std::string& path : dxf_paths) {
    const std::string data_path = DataFilePath(destination, path, extension);
    auto& names = writers[data_path];
    if (names.empty()) order.push_back(data_path);
    names.push_back(path);
  }
  std::vector<std::string> clashes;
  for (const std::string& data_path : order) {
    const auto& names = writers[data_path];
    if (names.size() < 2) continue;
    clashes.push_back(DataFileClashLine(data_path, names));
  }
  return clashes;
}

// True when the log would replace the configuration, an input drawing or a data file of the run.
bool LogIsRunFile(const std::string& log_path, const std::string& config_path,
                  const std::vector<std::string>& dxf_paths, const std::string& destination,
                  std::string_view extension) {
  if (!config_path.empty() && SameFile(log_path, config_path)) return true;
  for (const std::string& path : dxf_paths) {
    if (SameFile(log_path, path) ||
        SameFile(log_path, DataFilePath(destination, path, extension))) {
      return true;
    }
  }
  return false;
}

// The refusals of -o and -e that come before anything else.
std::optional<Failure> OutputRefusal(const CliOptions& options) {
  std::error_code error;
  if (fs::exists(options.output_dir, error) && !fs::is_directory(options.output_dir, error))
    return Failure{Failure::Kind::kDestinationIsFile, options.output_dir};
  if (!options.extension) return std::nullopt;
  if (options.extension->find('/') != std::string::npos)
    return Failure{Failure::Kind::kExtensionHoldsSlash, {}, *options.extension};
  // Refused whole rather than cut to its slot, so the data files are named as asked.
  if (const std::optional<Failure> refused = CheckExtension(*options.extension);
      refused && !Trimmed(*options.extension).empty())
    return refused;
  return std::nullopt;
}

// The lines on the error stream for the files that did not convert; with `remove_partial` the
// data files they left are deleted first.
void TellUnconverted(const BatchRequest& request, std::string_view extension, BatchResult& result,
                     bool remove_partial, std::FILE* err) {
  for (std::size_t i = 0; i < result.files.size(); ++i) {
    const FileOutcome& file = result.files[i];
    if (file.outcome == ConversionOutcome::kConverted) continue;
    const std::string data_path =
        DataFilePath(request.destination, request.dxf_paths[i], extension);
    bool removed = false;
    if (remove_partial && file.data_file_written) {
      std::error_code error;
      removed = fs::remove(data_path, error);
    }
    PrintError(err, FileFailureLine(request.dxf_paths[i], file, data_path, removed));
  }
}

}  // namespace

int RunCli(const CliOptions& options, CliEnvironment& env) {
  if (options.help) {
    std::fputs(UsageText().c_str(), env.out);
    return kExitConverted;
  }
  if (options.version) {
    std::fputs("quorvex-cli " QUORVEX_VERSION "\n", env.out);
    return kExitConverted;
  }
  if (const std::optional<Failure> refused = OutputRefusal(options)) {
    PrintFailure(env.err, *refused);
    return kExitUsage;
  }

  ConfigModel model;
  std::string config_path;
  const ConfigSource source{options.config_path, env.paths.program_directory,
                            env.paths.configurations_folder};
  if (const std::optional<Failure> refused = LoadCliConfiguration(source, model, config_path)) {
    PrintFailure(env.err, *refused);
    return kExitUsage;
  }
  if (const std::optional<std::string> refused = ApplyConfigOptions(options, model)) {
    PrintError(env.err, *refused);
    return kExitUsage;
  }
  if (options.print_config) {
    std::fputs(ConfigToml(model.content()).c_str(), env.out);
    return kExitConverted;
  }
  if (options.save_config) {
    if (const std::optional<Failure> failure =
            WriteConfigFile(*options.save_config, QrvBytesToSave(model))) {
      PrintFailure(env.err, *failure);
      return kExitUsage;
    }
    if (options.inputs.empty()) return kExitConverted;
  }

  TExportConfig config = model.record();
  const RunTables tables = model.CollectRunTables();
  const ProcessCheck check = CheckProcessCommand(config, config.DataFileExtension.View(),
                                                 model.record().SeparatorText.View(), tables);
  if (check != ProcessCheck::kPassed) {
    PrintError(env.err, Trimmed(ProcessCheckMessage(check)));
    return kExitUsage;
  }
  // LF line ends make the "LineFeed" separator an LF too, so that no CR is left in the file.
  if (options.format.lf_line_ends && config.SeparatorText.View() == "\r\n")
    config.SeparatorText.Assign("\n");
  if (options.format.decimal_comma &&
      config.SeparatorText.View().find(',') != std::string_view::npos) {
    PrintError(env.err, kDecimalCommaWithComma);
    return kExitUsage;
  }

  const bool log_to_output = options.log_path == "-";
  std::string log_path;
  if (log_to_output) {
    // The report goes to the output below, and the summary to the error stream.
  } else if (options.log_path) {
    log_path = fs::absolute(*options.log_path).string();
  } else {
    // Only the log needs a folder of the user's: with --log, a user without a home converts too.
    if (const std::optional<Failure> failure = PrepareLogFolder(env.paths)) {
      PrintError(env.err, NoLogFolderText(*failure));
      return kExitUsage;
    }
    log_path = env.paths.LogFile();
  }

  BatchRequest request;
  request.destination = WithTrailingSlash(fs::absolute(options.output_dir).string());
  bool folder_failed = false;
  request.dxf_paths = DxfPaths(options.inputs, env.err, folder_failed);
  request.log_path = log_path;
  request.jobs =
      options.jobs != 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
  request.format = options.format;
  request.no_clobber = options.no_clobber;
  if (request.dxf_paths.empty()) {
    if (folder_failed) return kExitFileErrors;
    PrintError(env.err, kNoDxfFile);
    return kExitUsage;
  }
  const std::string_view extension = config.DataFileExtension.View();
  const std::vector<std::string> clashes =
      DataFileClashes(request.dxf_paths, request.destination, extension);
  if (!clashes.empty()) {
    PrintError(env.err, kDataFileClashes);
    for (const std::string& clash : clashes)
      std::fprintf(env.err, "  %s\n", clash.c_str());
    return kExitUsage;
  }
  if (!log_to_output &&
      LogIsRunFile(log_path, config_path, request.dxf_paths, request.destination, extension)) {
    PrintFailure(env.err, {Failure::Kind::kLogIsRunFile, log_path});
    return kExitUsage;
  }
  // The run checks the values too, but only after the destination below has been created.
  if (const std::optional<Failure> refused = CheckRunValues(config)) {
    PrintFailure(env.err, *refused);
    return kExitUsage;
  }
  // A missing destination is created, as scripts expect; one that cannot be is refused by the
  // run's write test.
  std::error_code ignored;
  fs::create_directories(request.destination, ignored);

  CliProgress progress(env.err, env.err_is_terminal && !options.quiet, request.dxf_paths);
  BatchEnvironment batch_env{progress, env.clock, env.cancelled};
  // A stop before the run begins ends here: the run would clear it.
  if (env.cancelled.load()) return kExitInterrupted;
  BatchResult result = RunBatch(config, tables, request, batch_env);
  if (result.refusal) {
    PrintFailure(env.err, *result.refusal);
    return kExitUsage;
  }
  if (result.log_failure) PrintFailure(env.err, *result.log_failure);
  TellUnconverted(request, extension, result, options.remove_partial, env.err);

  std::size_t converted = 0, failed = 0, skipped = 0;
  for (const ConversionOutcome outcome : result.Outcomes()) {
    if (outcome == ConversionOutcome::kConverted) ++converted;
    if (outcome == ConversionOutcome::kFailed) ++failed;
    if (outcome == ConversionOutcome::kSkipped) ++skipped;
  }
  if (result.log_failure || log_to_output) {
    // The report must not be lost: it goes to the output instead, with the log's line ends.
    const char* end = log_to_output ? "\r\n" : "\n";
    for (const std::string& line : result.report)
      std::fprintf(env.out, "%s%s", (log_to_output ? line : EscapedName(line)).c_str(), end);
  }
  const std::string report = ReportPlace(log_path, log_to_output, !result.log_failure);
  std::FILE* summary = log_to_output ? env.err : env.out;
  if (result.end == BatchEnd::kCancelled) {
    std::fprintf(
        summary, "%s\n",
        StoppedLine(converted + failed + skipped, request.dxf_paths.size(), report).c_str());
    return kExitInterrupted;
  }
  std::fprintf(summary, "%s\n", SummaryLine(converted, failed, skipped, report).c_str());
  return failed == 0 && !result.log_failure && !folder_failed ? kExitConverted : kExitFileErrors;
}

}  // namespace quorvex::cli
