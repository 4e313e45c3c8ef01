#pragma once

#include <string>
#include <string_view>

namespace quorvex {

/// `directory` ending in exactly the one "/" it may already have.
std::string WithTrailingSlash(std::string_view directory);

/// The name without its last extension and that extension's dot: "plan.rev2.dxf" gives
/// "plan.rev2"; a name without a dot is returned whole.
std::string_view BaseNameOf(std::string_view file_name);

/// The data file's name for the DXF file `dxf_name`: its base name, ".", and `extension` as
/// stored (not trimmed). Only the last extension is replaced, so plan.rev1.dxf and plan.rev2.dxf
/// keep distinct data files.
std::string DataFileName(std::string_view dxf_name, std::string_view extension);

/// `destination` (a "/" appended when missing) followed by the data file's name for `dxf_path`.
std::string DataFilePath(std::string_view destination, std::string_view dxf_path,
                         std::string_view extension);

}  // namespace quorvex
