#pragma once

#include <string>

namespace quorvex {

/// True when `a` and `b` name the same file: the same file once links are followed when both
/// exist, otherwise the same path once "." "..", links and repeated "/" are resolved.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace quorvex
