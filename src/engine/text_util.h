#pragma once

#include <string_view>

namespace quorvex {

/// `text` without its leading and trailing characters of code 32 or below.
inline std::string_view Trimmed(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32)
    ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32)
    --end;
  return text.substr(begin, end - begin);
}

}  // namespace quorvex
