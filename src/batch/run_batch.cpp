#include "run_batch.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <optional>
#include <set>
#include <system_error>
#include <thread>
#include <utility>

#include "configuration_hash.h"
#include "data_file_name.h"
#include "directory_probe.h"
#include "engine/report_words.h"
#include "engine/stray_temporaries.h"
#include "engine/text_util.h"
#include "log_file.h"
#include "manifest_file.h"
#include "report.h"
#include "rerun_checks.h"
#include "run_setup.h"
#include "run_values.h"
#include "sha256.h"

namespace quorvex {
namespace {

struct FileBlock {
  std::vector<std::string> lines;
  FileOutcome outcome;
};

using FileId = std::pair<dev_t, ino_t>;

// With `follow` false a link is the link itself: a data file replaces the name, never what a
// link points to.
std::optional<FileId> IdOf(const std::string& path, bool follow) {
  struct stat info;
  if ((follow ? stat(path.c_str(), &info) : lstat(path.c_str(), &info)) != 0) return std::nullopt;
  return FileId{info.st_dev, info.st_ino};
}

// The conversions of one run. Workers take the files in report order, one at a time, so the
// files that were started always form the front of the list, whatever the number of workers.
class Conversions {
 public:
  Conversions(const TExportConfig& config, const RunTables& tables, const BatchRequest& request,
              const Manifest& recorded, BatchEnvironment& env)
      : config_(config),
        tables_(tables),
        env_(env),
        dxf_paths_(request.dxf_paths),
        format_(request.extended.format),
        no_clobber_(request.no_clobber),
        incremental_(request.incremental),
        record_(request.manifest),
        recorded_(recorded),
        configuration_(ConfigurationHash(config, tables, request.extended)),
        header_line_(RunHeaderLine(config, tables, request.extended)),
        extended_(request.extended),
        block_filter_(config.BlockNames.View()),
        blocks_(dxf_paths_.size()),
        entries_(dxf_paths_.size()) {
    std::set<FileId> dxf_ids;
    for (const std::string& path : dxf_paths_) {
      if (const auto id = IdOf(path, true)) dxf_ids.insert(*id);
    }
    std::set<std::string> seen;
    for (const std::string& path : dxf_paths_) {
      data_paths_.push_back(
          DataFilePath(request.destination, path, config.DataFileExtension.View()));
      const auto id = IdOf(data_paths_.back(), false);
      replaces_dxf_.push_back(id && dxf_ids.count(*id) != 0);
      if (!seen.insert(data_paths_.back()).second) shared_data_path_ = true;
    }
  }

  void Run(unsigned jobs) {
    // Files that write the same data file must replace one another in report order.
    if (jobs <= 1 || shared_data_path_ || dxf_paths_.size() <= 1) {
      Work(env_.observer.Progress());
      return;
    }
    const std::size_t workers = std::min<std::size_t>(jobs, dxf_paths_.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 1; i < workers; ++i) {
      try {
        threads.emplace_back([this] {
          NullProgressDisplay progress;
          Work(progress);
        });
      } catch (const std::system_error&) {
        break;  // fewer workers give the same result
      }
    }
    NullProgressDisplay progress;
    Work(progress);
    for (std::thread& thread : threads)
      thread.join();
  }

  // Appends the blocks of the started files to `result`.
  void Collect(BatchResult& result) {
    for (std::size_t i = 0; i < Started(); ++i) {
      for (std::string& line : blocks_[i].lines)
        result.report.push_back(std::move(line));
      result.files.push_back(std::move(blocks_[i].outcome));
    }
  }

  // The manifest's entries of the started files, by data file name; of files that share one,
  // the last in report order, whose data file is the one left.
  Manifest Entries() {
    Manifest entries;
    for (std::size_t i = 0; i < Started(); ++i) {
      if (entries_[i])
        entries.insert_or_assign(std::string(FileNameOf(data_paths_[i])), std::move(*entries_[i]));
    }
    return entries;
  }

 private:
  void Work(ProgressDisplay& progress) {
    while (!env_.cancelled.load()) {
      const std::size_t i = next_.fetch_add(1);
      if (i >= dxf_paths_.size()) return;
      Notify([&] { env_.observer.FileStarted(i); });
      const std::string& dxf_path = dxf_paths_[i];
      const std::string& data_path = data_paths_[i];
      const bool exists = IdOf(data_path, false).has_value();
      const ManifestEntry* recorded = Recorded(data_path);
      // The layer filter and the code page come with the other settings beyond the record.
      ConversionRun run{config_,
                        tables_,
                        header_line_,
                        block_filter_,
                        {},
                        env_.cancelled,
                        progress,
                        format_,
                        no_clobber_ && !exists,
                        {},
                        {},
                        env_.writer};
      TakeExtendedSettings(extended_, run);
      AppendFileHeading(run.ReportLines, i + 1, dxf_path);
      ManifestEntry entry;
      entry.drawing = dxf_path;
      entry.configuration = configuration_;
      entry.version = QUORVEX_VERSION;
      if (record_) {
        run.OnDrawingRead = [&entry](const DrawingFile& drawing) {
          entry.drawing_stamp =
              StampOf(static_cast<std::int64_t>(drawing.bytes.size()), drawing.modified_ns);
          entry.drawing_sha256 = Sha256Hex(drawing.bytes);
        };
      }
      FileOutcome outcome;
      bool keeps_entry = false;  // the data file is as recorded, and so stays its entry
      if (replaces_dxf_[i]) {
        outcome = Refuse(run.ReportLines, data_path);
      } else if (incremental_ &&
                 Unchanged(recorded, dxf_path, data_path, configuration_, QUORVEX_VERSION)) {
        outcome = Skip(run.ReportLines, {Failure::Kind::kDrawingUnchanged, data_path});
        keeps_entry = true;
      } else if (no_clobber_ && exists && !ConvertsAgain(recorded, data_path)) {
        outcome = Skip(run.ReportLines, {Failure::Kind::kDataFileExists, data_path});
      } else {
        outcome = ConvertDxfFile(run, dxf_path, data_path);
      }
      if (record_ && !keeps_entry) entries_[i] = EntryOf(std::move(entry), outcome, data_path);
      const ConversionOutcome ended = outcome.outcome;
      blocks_[i] = {std::move(run.ReportLines), std::move(outcome)};
      Notify([&] { env_.observer.FileFinished(i, ended); });
    }
  }

  // Writing this data file would destroy a drawing of the run before or while it is read.
  static FileOutcome Refuse(std::vector<std::string>& report, const std::string& data_path) {
    const Failure failure{Failure::Kind::kDataFileWouldReplaceDxf, data_path};
    AppendDataFileLines(report, data_path);
    AppendFailureLines(report, failure);
    return {ConversionOutcome::kFailed, failure};
  }

  static FileOutcome Skip(std::vector<std::string>& report, const Failure& skipped) {
    AppendDataFileLines(report, skipped.path);
    AppendFailureLines(report, skipped);
    return {ConversionOutcome::kSkipped, skipped};
  }

  const ManifestEntry* Recorded(const std::string& data_path) const {
    const auto found = recorded_.find(std::string(FileNameOf(data_path)));
    return found == recorded_.end() ? nullptr : &found->second;
  }

  // What the manifest keeps of a file that ended with `outcome`; `entry` holds what is known
  // before, and of the drawing as it was read.
  ManifestEntry EntryOf(ManifestEntry entry, const FileOutcome& outcome,
                        const std::string& data_path) const {
    entry.outcome = outcome.outcome;
    if (outcome.failure) entry.reason = FailureReason(*outcome.failure);
    entry.data_lines = outcome.data_lines;
    for (std::size_t kind = 0; kind < kEntityKindCount; ++kind) {
      if (tables_.EntityEnabled[kind] == 1)
        entry.counts.emplace_back(EntityKindNames[kind], outcome.entity_counts[kind]);
    }
    if (outcome.data_file_written) entry.data_file = StampOf(data_path);
    return entry;
  }

  std::size_t Started() const { return std::min(next_.load(), blocks_.size()); }

  template <typename Call>
  void Notify(Call call) {
    const std::lock_guard<std::mutex> lock(observer_mutex_);
    call();
  }

  const TExportConfig& config_;
  const RunTables& tables_;
  BatchEnvironment& env_;
  const std::vector<std::string>& dxf_paths_;
  std::vector<std::string> data_paths_;
  std::vector<bool> replaces_dxf_;
  bool shared_data_path_ = false;
  const DataFormat format_;
  const bool no_clobber_;
  const bool incremental_;
  const bool record_;
  const Manifest& recorded_;
  const std::string configuration_;
  const std::string header_line_;
  const ExtendedSettings& extended_;
  const std::string block_filter_;
  std::vector<FileBlock> blocks_;
  std::vector<std::optional<ManifestEntry>> entries_;
  std::atomic<std::size_t> next_{0};
  std::mutex observer_mutex_;
};

}  // namespace

std::vector<ConversionOutcome> BatchResult::Outcomes() const {
  std::vector<ConversionOutcome> outcomes;
  for (const FileOutcome& file : files)
    outcomes.push_back(file.outcome);
  return outcomes;
}

BatchResult RunBatch(const TExportConfig& given_config, const RunTables& tables,
                     const BatchRequest& request, BatchEnvironment& env) {
  BatchResult result;
  // Cleared first, so that a stop that comes while the run is being set up is kept.
  env.cancelled.store(false);
  const DataFormat& format = request.extended.format;
  const TExportConfig config = RunConfig(given_config, format);
  if (const std::optional<Failure> refused = CheckRunConfig(config, format)) {
    result.refusal = refused;
    result.end = BatchEnd::kConfigurationRefused;
    return result;
  }
  const std::string destination = WithTrailingSlash(request.destination);
  const DirectoryProbe probe = ProbeDirectory(destination);
  if (probe.error != 0) {
    result.refusal = Failure{
        Failure::Kind::kDestinationNotWritable, destination, {}, 0, std::strerror(probe.error)};
    result.end = BatchEnd::kDestinationNotWritable;
    return result;
  }
  // Temporary files of runs that were killed; those of runs under way are locked or newer.
  RemoveStrayTemporaries(destination, probe.made_ns);
  result.report = ReportHeader(ReportDateTime(env.clock.LocalNow()), request.dxf_paths.size());

  const bool reads_manifest = request.manifest || request.no_clobber || request.incremental;
  const Manifest recorded = reads_manifest ? ReadManifest(destination).manifest : Manifest{};
  Conversions conversions(config, tables, request, recorded, env);
  conversions.Run(request.jobs);
  conversions.Collect(result);
  if (env.cancelled.load()) {
    result.report.emplace_back(kCancelLine);
    result.end = BatchEnd::kCancelled;
  }
  env.observer.HideProgress();

  if (request.manifest)
    result.manifest_failure = MergeIntoManifest(destination, conversions.Entries(), env.writer);

  if (!request.log_path.empty())
    result.log_failure = WriteLogFile(request.log_path, result.report, env.writer);
  return result;
}

}  // namespace quorvex
