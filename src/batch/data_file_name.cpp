#include "data_file_name.h"

#include "engine/text_util.h"

namespace quorvex {

std::string WithTrailingSlash(std::string_view directory) {
  std::string result(directory);
  if (result.empty() || result.back() != '/') result.push_back('/');
  return result;
}

std::string_view BaseNameOf(std::string_view file_name) {
  const std::size_t dot = file_name.rfind('.');
  return dot == std::string_view::npos ? file_name : file_name.substr(0, dot);
}

std::string DataFileName(std::string_view dxf_name, std::string_view extension) {
  std::string name(BaseNameOf(dxf_name));
  name.push_back('.');
  name.append(extension);
  return name;
}

std::string DataFilePath(std::string_view destination, std::string_view dxf_path,
                         std::string_view extension) {
  return WithTrailingSlash(destination) + DataFileName(FileNameOf(dxf_path), extension);
}

}  // namespace quorvex
