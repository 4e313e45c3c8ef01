#include "desk/window_arguments.h"

namespace quorvex {

WindowArguments ReadWindowArguments(const std::vector<std::string>& arguments) {
  WindowArguments read;
  bool options = true;
  for (const std::string& argument : arguments) {
    if (options && argument == "--") {
      options = false;
    } else if (options && (argument == "--help" || argument == "--version")) {
      if (read.action == WindowArguments::Action::kOpen)
        read.action = argument == "--help" ? WindowArguments::Action::kHelp
                                           : WindowArguments::Action::kVersion;
    } else {
      read.paths.push_back(argument);
    }
  }
  return read;
}

}  // namespace quorvex
