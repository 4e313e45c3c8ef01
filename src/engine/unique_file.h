#pragma once

#include <string>
#include <string_view>

namespace quorvex {

/// Creates a new file for writing in `directory` (which ends in "/"), named `prefix`, ten random
/// letters and digits, then `suffix`, so that no other file and no other run can hold that name;
/// the mode is 0666 less the umask. Returns its descriptor and sets `path`, or -1 with errno set
/// when no file can be created there.
int CreateUniqueFile(const std::string& directory, std::string_view prefix, std::string_view suffix,
                     std::string& path);

}  // namespace quorvex
