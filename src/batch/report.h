#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

/// The last line of a report whose run the user stopped.
inline constexpr std::string_view kCancelLine = "*** Process canceled by user ***";

/// `local` in the LC_TIME locale's date format, a blank and its time format; only the date at
/// exactly midnight.
std::string ReportDateTime(const std::tm& local);

/// The report's five header lines for a run started at `date_time` over `file_count` files.
std::vector<std::string> ReportHeader(std::string_view date_time, std::size_t file_count);

/// Appends the heading of the `number`-th file (counted from 1): its number, an empty line and
/// the DXF file's path.
void AppendFileHeading(std::vector<std::string>& report, std::size_t number,
                       std::string_view dxf_path);

}  // namespace quorvex
