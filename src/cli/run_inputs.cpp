#include "cli/run_inputs.h"

#include <filesystem>
#include <map>
#include <optional>

#include "batch/data_file_name.h"
#include "batch/file_identity.h"
#include "batch/file_listing.h"
#include "batch/locale_formats.h"
#include "cli/error_stream.h"

namespace quorvex::cli {

namespace fs = std::filesystem;

std::vector<std::string> DxfPaths(const std::vector<std::string>& inputs, std::FILE* err,
                                  bool& folder_failed) {
  std::vector<std::string> paths;
  const DateTimeSeparators separators = CurrentDateTimeSeparators();
  for (const std::string& input : inputs) {
    std::error_code error;
    const std::string absolute = fs::absolute(input, error).string();
    if (!fs::is_directory(absolute, error)) {
      paths.push_back(absolute);
      continue;
    }
    FileList list;
    if (const std::optional<Failure> failure =
            list.List(absolute, /*auto_select=*/true, separators)) {
      PrintFailure(err, *failure);
      folder_failed = true;
      continue;
    }
    if (list.rows().empty() && inputs.size() > 1) {
      PrintError(err, EmptyFolderWarning(WithTrailingSlash(absolute)));
    }
    for (std::string& path : list.SelectedDxfPaths(WithTrailingSlash(absolute)))
      paths.push_back(std::move(path));
  }
  return paths;
}

std::vector<std::string> DataFileClashes(const std::vector<std::string>& dxf_paths,
                                         const std::string& destination,
                                         std::string_view extension) {
  std::map<std::string, std::vector<std::string>> writers;
  std::vector<std::string> order;
  for (const std::string& path : dxf_paths) {
    const std::string data_path = DataFilePath(destination, path, extension);
    auto& names = writers[data_path];
    if (names.empty()) order.push_back(data_path);
    names.push_back(path);
  }
  std::vector<std::string> clashes;
  for (const std::string& data_path : order) {
    const auto& names = writers[data_path];
    if (names.size() < 2) continue;
    clashes.push_back(DataFileClashLine(data_path, names));
  }
  return clashes;
}

bool IsRunFile(const std::string& path, const std::vector<std::string>& named,
               const std::vector<std::string>& dxf_paths, const std::string& destination,
               std::string_view extension) {
  for (const std::string& other : named) {
    if (!other.empty() && SameFile(path, other)) return true;
  }
  for (const std::string& dxf_path : dxf_paths) {
    if (SameFile(path, dxf_path) ||
        SameFile(path, DataFilePath(destination, dxf_path, extension))) {
      return true;
    }
  }
  return false;
}

}  // namespace quorvex::cli
