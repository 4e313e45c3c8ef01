#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/convert_dxf_file.h"
#include "engine/failure.h"

namespace quorvex::cli {

// Every word that the command line says on its own, beyond the report's, is spelled here. Paths
// are written as the report writes them (EscapedName).

/// The command line's words for `failure`: its own refusals and those of configuration files,
/// else the words both front ends share.
std::string CliFailureText(const Failure& failure);

/// The line that tells on the error stream that the file at `dxf_path` did not convert (it
/// failed, was stopped or was skipped): the path and the reason, and, when it left a data file
/// at `data_path`, that the file is incomplete with its number of lines, or was removed.
std::string FileFailureLine(std::string_view dxf_path, const FileOutcome& outcome,
                            std::string_view data_path, bool data_file_removed);

/// The warning for an input folder without drawings among other inputs.
std::string EmptyFolderWarning(std::string_view folder);

/// The refusal of a log folder that cannot be had, with the way around it.
std::string NoLogFolderText(const Failure& failure);

inline constexpr std::string_view kNoDxfFile = "no DXF file to convert in the folders given";

/// The refusal of inputs that would write the same data file: its first line, then one line per
/// data file, "DATA would be written by A and B".
inline constexpr std::string_view kDataFileClashes =
    "two inputs would write the same data file; nothing was converted:";
std::string DataFileClashLine(std::string_view data_path, const std::vector<std::string>& writers);

/// The warning of --save-config when the configuration holds settings that a .qrv file cannot
/// keep, named by their keys ("quote, bom").
std::string QrvCannotKeepWarning(std::string_view keys);

}  // namespace quorvex::cli
