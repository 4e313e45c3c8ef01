// dxf_generate: writes the benchmark drawings to a folder; `dxf_generate --help` tells how.

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "standard_drawings.h"

namespace {

constexpr const char* kUsage =
    "usage: dxf_generate OUT_DIR [NAME[:MB]]...\n"
    "Writes the benchmark drawings NAME.dxf to OUT_DIR (created when missing).\n"
    "  NAME  survey, mixed, contours or walk; all four when none is given\n"
    "  MB    the drawing's size in megabytes instead of its standard one\n";

}  // namespace

int main(int argc, char** argv) {
  using quorvex::bench::StandardDrawingNames;
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  // An option is never taken for a folder or a drawing; "./-name" names such a folder.
  const bool option_given = std::any_of(
      args.begin(), args.end(), [](std::string_view arg) { return arg.empty() || arg[0] == '-'; });
  if (args.empty() || option_given) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::vector<std::string_view> requests(argv + 2, argv + argc);
  if (requests.empty()) requests = StandardDrawingNames();
  try {
    std::filesystem::create_directories(dir);
    for (const std::string_view request : requests) {
      const std::string_view name = request.substr(0, request.find(':'));
      std::int64_t size_mb = 0;
      if (name.size() < request.size()) {
        const std::string_view mb = request.substr(name.size() + 1);
        const auto [end, ec] = std::from_chars(mb.data(), mb.data() + mb.size(), size_mb);
        if (ec != std::errc() || end != mb.data() + mb.size() || size_mb <= 0) {
          std::fprintf(stderr, "not a size in MB: %s\n", std::string(request).c_str());
          return 2;
        }
      }
      const std::string path = (dir / (std::string(name) + ".dxf")).string();
      quorvex::bench::WriteStandardDrawing(name, path, size_mb);
      std::printf("%s  %.1f MB\n", path.c_str(),
                  static_cast<double>(std::filesystem::file_size(path)) / 1e6);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
