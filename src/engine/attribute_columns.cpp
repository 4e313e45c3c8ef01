#include "attribute_columns.h"

#include <algorithm>

#include "text_util.h"

namespace quorvex {

bool SameTag(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiUpper(x) == AsciiUpper(y);
         });
}

}  // namespace quorvex
