#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/failure.h"
#include "engine/file_writer.h"

namespace quorvex {

/// The log file's name, in the folder that Paths chooses for it.
inline constexpr std::string_view kLogFileName = "QuorvexLog.txt";

/// Replaces the file at `path` with `lines`, each ended by CR LF, as every file is replaced
/// (ReplaceFile): never written through a link, never over anything but a regular file, and
/// left as it was when the writing fails. The failure kLogNotWritten, with the path and the
/// system's reason, or nothing when the log was written.
std::optional<Failure> WriteLogFile(const std::string& path, const std::vector<std::string>& lines,
                                    FileWriter& writer = SystemFileWriter());

}  // namespace quorvex
