#include "desk/window_arguments.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

using Action = WindowArguments::Action;
using Names = std::vector<std::string>;

TEST(ReadWindowArguments, HelpAndVersionBeforeTheEndOfOptionsElseDrawings) {
  const struct {
    const char* name;
    Names arguments;
    Action action;
    Names paths;
  } cases[] = {
      {"nothing", {}, Action::kOpen, {}},
      {"drawings", {"a.dxf", "/b/c.dxf"}, Action::kOpen, {"a.dxf", "/b/c.dxf"}},
      {"help among drawings", {"a.dxf", "--help"}, Action::kHelp, {"a.dxf"}},
      {"the first decides", {"--version", "--help"}, Action::kVersion, {}},
      {"after the end of options", {"--", "--help", "-x.dxf"}, Action::kOpen, {"--help", "-x.dxf"}},
      {"a second end of options is a name", {"--", "--"}, Action::kOpen, {"--"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const WindowArguments read = ReadWindowArguments(c.arguments);
    EXPECT_EQ(read.action, c.action);
    EXPECT_EQ(read.paths, c.paths);
  }
}

}  // namespace
}  // namespace quorvex
