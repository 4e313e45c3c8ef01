#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quorvex {

/// `path` shortened, one step at a time, until `fits` accepts it: first the folder names after
/// the root are replaced from the left by "..." ("/a/b/c" becomes "/.../b/c", then "/.../c"; the
/// last name is always kept), then the root goes (".../c"), last the ".../" too, leaving the last
/// name alone. A path that fits, or that has nothing left to drop, is returned as it is. A
/// trailing "/" is not a name of its own: "/a/b/" shortens like "/a/b".
std::string ShortenedPath(std::string_view path, const std::function<bool(std::string_view)>& fits);

}  // namespace quorvex
