#include "support/dxf_entity.h"

namespace quorvex::testing {
namespace {

void AppendPair(std::string& out, int code, std::string_view value) {
  std::string code_text = std::to_string(code);
  if (code_text.size() < 3) code_text.insert(0, 3 - code_text.size(), ' ');
  out.append(code_text).append("\n").append(value).append("\n");
}

}  // namespace

std::string Entity(std::string_view name, std::initializer_list<Group> groups) {
  std::string out;
  AppendPair(out, 0, name);
  for (const Group& group : groups)
    AppendPair(out, group.code, group.value);
  return out;
}

}  // namespace quorvex::testing
