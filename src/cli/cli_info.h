#pragma once

#include "cli/cli_options.h"
#include "cli/cli_run.h"

namespace quorvex::cli {

/// --info: prints what each input drawing holds (DrawingInfoLines), a blank line between
/// drawings, or with --json one JSON array of an object per drawing; converts nothing. A drawing
/// that cannot be read is said on the error stream (and, in JSON, by an object with its
/// "error"). Returns kExitConverted, kExitFileErrors when a drawing or a folder could not be
/// read, or kExitUsage for a refused --code-page.
int RunInfo(const CliOptions& options, CliEnvironment& env);

}  // namespace quorvex::cli
