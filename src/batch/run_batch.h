#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "clock.h"
#include "engine/convert_dxf_file.h"
#include "engine/export_config.h"
#include "engine/extended_settings.h"
#include "engine/failure.h"
#include "engine/file_writer.h"
#include "run_observer.h"

namespace quorvex {

/// What one run converts and where its report goes.
struct BatchRequest {
  /// Where the data files are written; a "/" is appended when missing.
  std::string destination;
  /// The DXF files in the order the report numbers them.
  std::vector<std::string> dxf_paths;
  /// Empty: no log is written, the caller takes the report from the result.
  std::string log_path;
  /// Files converted at once. 0 and 1 convert on the calling thread with the observer's progress
  /// display; more use worker threads and no display. The data files and the report are the same
  /// for every value.
  unsigned jobs = 1;
  /// The export settings beyond the record; none by default.
  ExtendedSettings extended = {};
  /// Leave every data file that exists alone (its drawing is skipped, and a data file that
  /// appears while its drawing is converted is not replaced either), but one that the manifest
  /// records as left by a conversion that failed or was stopped (ConvertsAgain).
  bool no_clobber = false;
  /// Skip every drawing that the manifest records as converted from the same bytes under the
  /// same configuration into the data file that is there (Unchanged).
  bool incremental = false;
  /// After the run, record how each file ended in the destination's manifest (kManifestName).
  bool manifest = true;
};

/// The front end's side of a run.
struct BatchEnvironment {
  RunObserver& observer;
  const Clock& clock;
  /// Set by "Stop process" (or an interrupt) from any thread; a run clears it when it starts.
  std::atomic<bool>& cancelled;
  /// Where the bytes of the data files, the log and the manifest go.
  FileWriter& writer = SystemFileWriter();
};

enum class BatchEnd {
  kDestinationNotWritable,  // refused before anything was written; the old log is untouched
  kConfigurationRefused,    // a configuration value was refused, likewise before anything
  kFinished,
  kCancelled,  // the report ends with the cancel line
};

struct BatchResult {
  BatchEnd end = BatchEnd::kFinished;
  /// Why a run ended kDestinationNotWritable or kConfigurationRefused.
  std::optional<Failure> refusal;
  /// The report as written to the log, also when the log could not be written.
  std::vector<std::string> report;
  /// One per file that was started, in report order: how it ended, why a failed one failed,
  /// and what its data file holds.
  std::vector<FileOutcome> files;
  /// Why the log file could not be written; nothing when it was written.
  std::optional<Failure> log_failure;
  /// Why the manifest could not be read or written; nothing when all went well.
  std::optional<Failure> manifest_failure;

  /// How each started file ended, in report order.
  std::vector<ConversionOutcome> Outcomes() const;
};

/// One run: the check of the configuration's values (CheckRunValues, CheckOutputFormat), the
/// write test of the destination and the removal of the temporary files that killed runs left
/// there, then every file of `request` converted into the destination under `config`, `tables`
/// (the separator already resolved) and the request's settings beyond the record, the outcomes
/// merged into the manifest, and the report written to the log. With LF line ends the "LineFeed"
/// separator is an LF too, so that no CR is left in the data files. A refused value, the refused
/// destination and an unwritable log are returned in the result, for the front end to show.
BatchResult RunBatch(const TExportConfig& config, const RunTables& tables,
                     const BatchRequest& request, BatchEnvironment& env);

}  // namespace quorvex
