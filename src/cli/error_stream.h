#pragma once

#include <cstdio>
#include <string_view>

#include "cli/cli_words.h"
#include "engine/failure.h"
#include "engine/text_util.h"

namespace quorvex::cli {

/// Writes `message` as one line of the converter on `err`.
inline void PrintError(std::FILE* err, std::string_view message) {
  std::fprintf(err, "quorvex-cli: %.*s\n", static_cast<int>(message.size()), message.data());
}

/// A failure in the command line's words, without the padding blanks of the window's boxes.
inline void PrintFailure(std::FILE* err, const Failure& failure) {
  PrintError(err, Trimmed(CliFailureText(failure)));
}

}  // namespace quorvex::cli
