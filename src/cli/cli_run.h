#pragma once

#include <atomic>
#include <cstdio>
#include <string>

#include "batch/clock.h"
#include "batch/program_paths.h"
#include "cli/cli_options.h"

namespace quorvex::cli {

/// Exit statuses of the converter.
inline constexpr int kExitConverted = 0;
inline constexpr int kExitFileErrors = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;  // 128 + the signal that stopped the run

/// What a command-line run talks to.
struct CliEnvironment {
  std::FILE* out;
  std::FILE* err;
  bool err_is_terminal;
  /// Where "default.qrv" is looked up, the log goes without --log, and the configurations are.
  ProgramPaths paths;
  const Clock& clock;
  /// Set by Ctrl-C, SIGTERM and SIGHUP.
  std::atomic<bool>& cancelled;
};

/// Runs the converter for `options` and returns the exit status.
int RunCli(const CliOptions& options, CliEnvironment& env);

}  // namespace quorvex::cli
