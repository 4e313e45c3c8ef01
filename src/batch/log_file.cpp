#include "log_file.h"

#include "engine/file_replacement.h"

namespace quorvex {

std::optional<Failure> WriteLogFile(const std::string& path, const std::vector<std::string>& lines,
                                    FileWriter& writer) {
  std::string text;
  for (const std::string& line : lines) {
    text.append(line);
    text.append("\r\n");
  }
  std::string reason = ReplaceFile(path, text, writer);
  if (reason.empty()) return std::nullopt;
  return Failure{Failure::Kind::kLogNotWritten, path, {}, 0, std::move(reason)};
}

}  // namespace quorvex
