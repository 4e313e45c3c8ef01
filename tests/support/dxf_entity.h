#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace quorvex::testing {

struct Group {
  int code;
  std::string_view value;
};

/// The lines of one entity: "0" and `name`, then each group as its code line (right-aligned in
/// three columns, as DXF writers lay it out) and its value line. Each line ends in "\n", so an
/// entity of n groups takes 2 + 2n lines.
std::string Entity(std::string_view name, std::initializer_list<Group> groups);

}  // namespace quorvex::testing
