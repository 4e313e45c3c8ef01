#pragma once

#include <ctime>
#include <string>

namespace quorvex {

/// `local` in the LC_TIME locale's date format, a blank and its time format; only the date at
/// exactly midnight.
std::string ReportDateTime(const std::tm& local);

}  // namespace quorvex
