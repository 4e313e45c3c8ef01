// dxf_generate: writes the benchmark drawings to a folder.
//   dxf_generate OUT_DIR [NAME[:MB]]...
// NAME is survey, mixed, contours or walk (all four when none is given); MB replaces the
// drawing's size in megabytes.

#include <charconv>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "standard_drawings.h"

int main(int argc, char** argv) {
  using quorvex::bench::StandardDrawingNames;
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUT_DIR [NAME[:MB]]...   NAME: survey mixed contours walk\n",
                 argv[0]);
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
