// Writes the default configuration file that is delivered beside the programs.
#include <cstdio>
#include <string>
#include <string_view>

#include "config/config_file.h"
#include "config/default_config.h"
#include "config/qrv_file.h"

namespace {

constexpr const char* kUsage =
    "usage: make_default_config OUTPUT.qrv\n"
    "Writes the default configuration file to OUTPUT.qrv.\n";

}  // namespace

int main(int argc, char** argv) {
  const std::string_view first = argc > 1 ? argv[1] : "";
  if (argc == 2 && (first == "--help" || first == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  // An option is never taken for the file's name; "./-name" writes a file of that name.
  if (argc != 2 || first.empty() || first[0] == '-') {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (const auto failure = quorvex::WriteConfigFile(
          argv[1], quorvex::ConfigFileBytes(quorvex::DefaultConfiguration()))) {
    std::fprintf(stderr, "make_default_config: cannot write %s: %s\n", argv[1],
                 failure->reason.c_str());
    return 1;
  }
  return 0;
}
