// Writes the default configuration file that is delivered beside the programs.
#include <cstdio>
#include <string>

#include "config/default_config.h"
#include "config/qrv_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.qrv\n", argv[0]);
    return 2;
  }
  std::string error;
  if (!quorvex::WriteWholeFile(argv[1], quorvex::ConfigFileBytes(quorvex::DefaultConfiguration()),
                               error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}
