#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "cli/cli_words.h"
#include "engine/failure.h"
#include "engine/report_words.h"
#include "engine/text_util.h"

namespace quorvex::cli {

/// Writes `message` as one line of the converter on `err`. Every message is escaped as it is
/// printed: the words a user typed (options, a configuration's texts) can then neither drive the
/// terminal nor break the line.
inline void PrintError(std::FILE* err, std::string_view message) {
  const std::string escaped = EscapedName(message);
  std::fprintf(err, "quorvex-cli: %s\n", escaped.c_str());
}

/// A failure in the command line's words, without the padding blanks of the window's boxes.
inline void PrintFailure(std::FILE* err, const Failure& failure) {
  PrintError(err, Trimmed(CliFailureText(failure)));
}

}  // namespace quorvex::cli
