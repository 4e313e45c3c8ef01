#pragma once

#include <cstdint>
#include <string>

namespace quorvex {

/// What could not be decoded of a drawing's texts: the characters that the data file and the
/// report received as U+FFFD, the encoding they were decoded from, and the code page that the
/// header names but that this system cannot decode (empty for none).
struct UndecodedCharacters {
  std::int64_t count = 0;
  std::string encoding = {};
  std::string not_decodable = {};

  bool Any() const { return count > 0 || !not_decodable.empty(); }
};

}  // namespace quorvex
