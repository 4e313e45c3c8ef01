#pragma once

#include <string>
#include <vector>

namespace quorvex {

/// What the window's command line asks for. "--help" and "--version" are answered on the
/// standard output, without a window; otherwise the window opens on the drawings or the folder
/// given. After "--" every argument is a drawing or a folder, also one that starts with "-".
struct WindowArguments {
  enum class Action { kOpen, kHelp, kVersion };
  Action action = Action::kOpen;
  std::vector<std::string> paths;
};

/// Reads `arguments` (the program's name left out); the first of "--help" and "--version" given
/// decides.
WindowArguments ReadWindowArguments(const std::vector<std::string>& arguments);

}  // namespace quorvex
