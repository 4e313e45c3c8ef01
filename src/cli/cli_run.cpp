#include "cli/cli_run.h"

#include <filesystem>
#include <optional>
#include <thread>

#include "batch/data_file_name.h"
#include "batch/manifest.h"
#include "batch/process_checks.h"
#include "batch/program_paths.h"
#include "batch/run_batch.h"
#include "batch/run_values.h"
#include "cli/cli_config.h"
#include "cli/cli_progress.h"
#include "cli/error_stream.h"
#include "cli/run_inputs.h"
#include "cli/usage_text.h"
#include "config/config_file.h"
#include "config/config_options.h"
#include "config/qrv_file.h"
#include "config/toml_config.h"
#include "engine/report_words.h"

namespace quorvex::cli {
namespace {

namespace fs = std::filesystem;

// The refusals of -o and -e that come before anything else.
std::optional<Failure> OutputRefusal(const CliOptions& options) {
  std::error_code error;
  if (fs::exists(options.output_dir, error) && !fs::is_directory(options.output_dir, error))
    return Failure{Failure::Kind::kDestinationIsFile, options.output_dir};
  if (!options.extension) return std::nullopt;
  // The refusals quote the extension as given.
  const std::string& given = *options.extension;
  if (given.find('/') != std::string::npos)
    return Failure{Failure::Kind::kExtensionHoldsSlash, {}, given};
  // Refused whole rather than cut to its slot, so the data files are named as asked.
  const std::string_view extension = ExtensionOfOption(given);
  if (CheckExtension(extension) && !Trimmed(extension).empty())
    return Failure{Failure::Kind::kExtensionRefused, {}, given};
  return std::nullopt;
}

// One run of the converter, phase by phase. Each phase but the last returns the exit status
// when it ends the run, and nothing when the run goes on.
class ConverterRun {
 public:
  ConverterRun(const CliOptions& options, CliEnvironment& env) : options_(options), env_(env) {}

  // -c and the options over it; --print-config, and --save-config without inputs.
  std::optional<int> Configuration() {
    const ConfigSource source{options_.config_path, env_.paths.program_directory,
                              env_.paths.configurations_folder};
    std::vector<std::string> ansi_texts;
    if (const std::optional<Failure> refused =
            LoadCliConfiguration(source, model_, config_path_, ansi_texts))
      return Refuse(*refused);
    if (const std::optional<std::string> refused = ApplyConfigOptions(options_, model_)) {
      PrintError(env_.err, *refused);
      return kExitUsage;
    }
    if (options_.print_config) {
      std::fputs(ConfigToml(model_.content(), ansi_texts).c_str(), env_.out);
      return kExitConverted;
    }
    // Without inputs there is no run: the configuration is saved at once, and only -c is a file
    // it must not replace.
    if (options_.save_config && options_.inputs.empty())
      return SaveConfig().value_or(kExitConverted);
    return std::nullopt;
  }

  // The Process command's checks, and what the output settings cannot be used with.
  std::optional<int> Checks() {
    config_ = model_.record();
    tables_ = model_.CollectRunTables();
    const ProcessCheck check = CheckProcessCommand(config_, config_.DataFileExtension.View(),
                                                   model_.record().SeparatorText.View(), tables_);
    if (check != ProcessCheck::kPassed) {
      PrintError(env_.err, Trimmed(ProcessCheckMessage(check)));
      return kExitUsage;
    }
    if (const std::optional<Failure> refused =
            CheckOutputFormat(config_.SeparatorText.View(), model_.extended().format))
      return Refuse(*refused);
    return std::nullopt;
  }

  // Where the report goes: the output, --log, or the program's log file in its folder.
  std::optional<int> Log() {
    log_to_output_ = options_.log_path == "-";
    if (log_to_output_) return std::nullopt;  // the summary then goes to the error stream
    if (options_.log_path) {
      log_path_ = fs::absolute(*options_.log_path).string();
      return std::nullopt;
    }
    // Only the log needs a folder of the user's: with --log, a user without a home converts too.
    if (const std::optional<Failure> failure = PrepareLogFolder(env_.paths)) {
      PrintError(env_.err, NoLogFolderText(*failure));
      return kExitUsage;
    }
    log_path_ = env_.paths.LogFile();
    return std::nullopt;
  }

  // The drawings, the destination and the run's other choices, with the refusals of inputs
  // that would overwrite one another or the log.
  std::optional<int> Request() {
    request_.destination = WithTrailingSlash(fs::absolute(options_.output_dir).string());
    request_.dxf_paths = DxfPaths(options_.inputs, env_.err, folder_failed_);
    request_.log_path = log_path_;
    request_.jobs =
        options_.jobs != 0 ? options_.jobs : std::max(1u, std::thread::hardware_concurrency());
    request_.extended = model_.extended();
    request_.no_clobber = options_.no_clobber;
    request_.incremental = options_.incremental;
    request_.manifest = !options_.no_manifest;
    if (request_.dxf_paths.empty()) {
      if (folder_failed_) return kExitFileErrors;
      PrintError(env_.err, kNoDxfFile);
      return kExitUsage;
    }
    const std::vector<std::string> clashes =
        DataFileClashes(request_.dxf_paths, request_.destination, Extension());
    if (!clashes.empty()) {
      PrintError(env_.err, kDataFileClashes);
      for (const std::string& clash : clashes)
        std::fprintf(env_.err, "  %s\n", clash.c_str());
      return kExitUsage;
    }
    if (!log_to_output_ &&
        IsRunFile(log_path_, {config_path_, options_.save_config.value_or(""), ManifestPath()},
                  request_.dxf_paths, request_.destination, Extension()))
      return Refuse({Failure::Kind::kLogIsRunFile, log_path_});
    // The run checks the values too, but only after the destination has been created.
    if (const std::optional<Failure> refused = CheckRunValues(config_)) return Refuse(*refused);
    return std::nullopt;
  }

  // --save-config, once nothing else refuses the run, never over a file that the run reads or
  // writes.
  std::optional<int> SaveConfig() {
    if (!options_.save_config) return std::nullopt;
    const std::string& path = *options_.save_config;
    if (IsRunFile(path, {config_path_, log_to_output_ ? std::string() : log_path_, ManifestPath()},
                  request_.dxf_paths, request_.destination, Extension()))
      return Refuse({Failure::Kind::kSavedConfigIsRunFile, path});
    if (const std::optional<Failure> failure = PrepareFolderOfConfigFile(env_.paths, path))
      return Refuse(*failure);
    if (const std::optional<Failure> failure = WriteConfigFile(path, QrvBytesToSave(model_)))
      return Refuse(*failure);
    const std::string dropped = ExtendedKeys(model_.extended());
    if (!dropped.empty()) PrintError(env_.err, QrvCannotKeepWarning(dropped));
    return std::nullopt;
  }

  // The conversions, the lines of the files that did not convert, and the summary.
  int Run() {
    // A missing destination is created, as scripts expect; one that cannot be is refused with
    // the system's reason for it, which the run's write test would only see as a missing folder.
    std::error_code error;
    fs::create_directories(request_.destination, error);
    if (error && !fs::is_directory(request_.destination))
      return Refuse(
          {Failure::Kind::kDestinationNotWritable, request_.destination, {}, 0, error.message()});
    CliProgress progress(env_.err, env_.err_is_terminal && !options_.quiet, request_.dxf_paths);
    BatchEnvironment batch_env{progress, env_.clock, env_.cancelled};
    // A stop before the run begins ends here: the run would clear it.
    if (env_.cancelled.load()) return kExitInterrupted;
    BatchResult result = RunBatch(config_, tables_, request_, batch_env);
    if (result.refusal) return Refuse(*result.refusal);
    if (result.log_failure) PrintFailure(env_.err, *result.log_failure);
    if (result.manifest_failure) PrintFailure(env_.err, *result.manifest_failure);
    TellUnconverted(result);
    return Summary(result);
  }

 private:
  int Refuse(const Failure& failure) {
    PrintFailure(env_.err, failure);
    return kExitUsage;
  }

  std::string_view Extension() const { return config_.DataFileExtension.View(); }

  // The manifest the run writes, once the destination is known; empty when it writes none.
  std::string ManifestPath() const {
    if (request_.destination.empty() || !request_.manifest) return {};
    return request_.destination + std::string(kManifestName);
  }

  // The lines on the error stream for the files that did not convert (for skipped ones only
  // without -q); with --remove-partial the data files they left are deleted first.
  void TellUnconverted(const BatchResult& result) {
    for (std::size_t i = 0; i < result.files.size(); ++i) {
      const FileOutcome& file = result.files[i];
      if (file.outcome == ConversionOutcome::kConverted) continue;
      if (file.outcome == ConversionOutcome::kSkipped && options_.quiet) continue;
      const std::string& dxf_path = request_.dxf_paths[i];
      const std::string data_path = DataFilePath(request_.destination, dxf_path, Extension());
      bool removed = false;
      if (options_.remove_partial && file.data_file_written) {
        std::error_code error;
        removed = fs::remove(data_path, error);
      }
      PrintError(env_.err, FileFailureLine(dxf_path, file, data_path, removed));
    }
  }

  int Summary(const BatchResult& result) {
    std::size_t converted = 0, failed = 0, skipped = 0;
    for (const ConversionOutcome outcome : result.Outcomes()) {
      if (outcome == ConversionOutcome::kConverted) ++converted;
      if (outcome == ConversionOutcome::kFailed) ++failed;
      if (outcome == ConversionOutcome::kSkipped) ++skipped;
    }
    if (result.log_failure || log_to_output_) {
      // The report must not be lost: it goes to the output instead, with the log's line ends.
      const char* end = log_to_output_ ? "\r\n" : "\n";
      for (const std::string& line : result.report)
        std::fprintf(env_.out, "%s%s", (log_to_output_ ? line : EscapedName(line)).c_str(), end);
    }
    const std::string report = ReportPlace(log_path_, log_to_output_, !result.log_failure);
    std::FILE* summary = log_to_output_ ? env_.err : env_.out;
    if (result.end == BatchEnd::kCancelled) {
      const std::size_t done = converted + failed + skipped;
      std::fprintf(summary, "%s\n", StoppedLine(done, request_.dxf_paths.size(), report).c_str());
      return kExitInterrupted;
    }
    std::fprintf(summary, "%s\n", SummaryLine(converted, failed, skipped, report).c_str());
    const bool recorded = !result.log_failure && !result.manifest_failure;
    return failed == 0 && recorded && !folder_failed_ ? kExitConverted : kExitFileErrors;
  }

  const CliOptions& options_;
  CliEnvironment& env_;
  ConfigModel model_;
  std::string config_path_;
  TExportConfig config_{};
  RunTables tables_;
  bool log_to_output_ = false;
  std::string log_path_;
  BatchRequest request_;
  bool folder_failed_ = false;
};

}  // namespace

int RunCli(const CliOptions& options, CliEnvironment& env) {
  if (options.help) {
    std::fputs(UsageText(env.paths.LogFile(), env.paths.configurations_folder).c_str(), env.out);
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
  ConverterRun run(options, env);
  for (auto phase : {&ConverterRun::Configuration, &ConverterRun::Checks, &ConverterRun::Log,
                     &ConverterRun::Request, &ConverterRun::SaveConfig}) {
    if (const std::optional<int> status = (run.*phase)()) return *status;
  }
  return run.Run();
}

}  // namespace quorvex::cli
