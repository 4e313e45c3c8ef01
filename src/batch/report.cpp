#include "report.h"

#include "engine/convert_dxf_file.h"

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

std::vector<std::string> ReportHeader(std::string_view date_time, std::size_t file_count) {
  std::vector<std::string> header;
  header.push_back("Quorvex report created " + std::string(date_time));
  header.emplace_back();
  header.push_back("Number of processed files : " + std::to_string(file_count));
  header.emplace_back(kRuleLine);
  header.emplace_back();
  return header;
}

void AppendFileHeading(std::vector<std::string>& report, std::size_t number,
                       std::string_view dxf_path) {
  report.push_back("File " + std::to_string(number) + " :");
  report.emplace_back();
  report.push_back("  DXF File  : " + std::string(dxf_path));
}

}  // namespace quorvex
