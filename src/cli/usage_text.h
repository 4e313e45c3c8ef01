#pragma once

#include <string>
#include <string_view>

namespace quorvex::cli {

/// The text printed by --help, which the manual page and the bash completion are made from: the
/// options, one line for each word of --kinds, --fields and --separator, the exit status, the
/// files with `log_file` and `configurations_folder` as this program finds them (empty: none is
/// known), and a few examples.
std::string UsageText(std::string_view log_file, std::string_view configurations_folder);

}  // namespace quorvex::cli
