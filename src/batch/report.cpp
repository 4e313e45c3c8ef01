#include "report.h"

namespace quorvex {
namespace {

std::string Formatted(const char* format, const std::tm& local) {
  char buffer[128];
  const std::size_t n = std::strftime(buffer, sizeof buffer, format, &local);
  return std::string(buffer, n);
}

}  // namespace

std::string ReportDateTime(const std::tm& local) {
  std::string text = Formatted("%x", local);
  if (local.tm_hour != 0 || local.tm_min != 0 || local.tm_sec != 0) {
    text.push_back(' ');
    text.append(Formatted("%X", local));
  }
  return text;
}

}  // namespace quorvex
