#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::cli {

/// Every input as an absolute path; a folder gives its DXF files in the browser's name order. A
/// folder that cannot be listed is told on `err` and sets `folder_failed`; an empty one among
/// other inputs gets a warning.
std::vector<std::string> DxfPaths(const std::vector<std::string>& inputs, std::FILE* err,
                                  bool& folder_failed);

/// Inputs that would write the same data file, one line per data file; empty when there is none.
std::vector<std::string> DataFileClashes(const std::vector<std::string>& dxf_paths,
                                         const std::string& destination,
                                         std::string_view extension);

/// True when writing `path` would replace a file the run reads or writes: one of `named` (the
/// configuration, the log, the saved configuration; empty names are passed over), an input
/// drawing, or a data file of the run. Files are told apart by identity (SameFile).
bool IsRunFile(const std::string& path, const std::vector<std::string>& named,
               const std::vector<std::string>& dxf_paths, const std::string& destination,
               std::string_view extension);

}  // namespace quorvex::cli
