#include "shortened_path.h"

#include <vector>

namespace quorvex {
namespace {

constexpr std::string_view kEllipsis = "...";

std::vector<std::string_view> NamesOf(std::string_view path) {
  std::vector<std::string_view> names;
  std::size_t begin = 0;
  while (begin < path.size()) {
    std::size_t end = path.find('/', begin);
    if (end == std::string_view::npos) end = path.size();
    // Empty pieces come from a leading, doubled or trailing "/" and name nothing.
    if (end > begin) names.push_back(path.substr(begin, end - begin));
    begin = end + 1;
  }
  return names;
}

std::string Joined(const std::vector<std::string_view>& names, std::size_t first) {
  std::string text;
  for (std::size_t i = first; i < names.size(); ++i) {
    if (i > first) text.push_back('/');
    text.append(names[i]);
  }
  return text;
}

}  // namespace

std::string ShortenedPath(std::string_view path,
                          const std::function<bool(std::string_view)>& fits) {
  if (fits(path)) return std::string(path);
  const std::vector<std::string_view> names = NamesOf(path);
  if (names.empty()) return std::string(path);

  const bool rooted = path.front() == '/';
  const std::string root = rooted ? "/" : "";
  const std::string elided = root + std::string(kEllipsis) + "/";
  for (std::size_t dropped = 1; dropped < names.size(); ++dropped) {
    std::string candidate = elided + Joined(names, dropped);
    if (fits(candidate)) return candidate;
  }
  // Without a root the last candidate above already was ".../name". A single name had nothing
  // elided, so it gets no "..." either.
  if (rooted && names.size() > 1) {
    std::string candidate = std::string(kEllipsis) + "/" + std::string(names.back());
    if (fits(candidate)) return candidate;
  }
  return std::string(names.back());
}

}  // namespace quorvex
