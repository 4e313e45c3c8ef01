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

/// True when the log would replace the configuration, an input drawing or a data file of the run.
bool LogIsRunFile(const std::string& log_path, const std::string& config_path,
                  const std::vector<std::string>& dxf_paths, const std::string& destination,
                  std::string_view extension);

}  // namespace quorvex::cli
