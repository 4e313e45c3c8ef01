#include "mtext_plain.h"

namespace quorvex {
namespace {

constexpr std::string_view kValueCodes = "fFHCAQTW";
constexpr std::string_view kToggleCodes = "LlOoKk";

}  // namespace

std::string PlainMText(std::string_view text) {
  std::string plain;
  plain.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '{' || c == '}') {
      ++i;
      continue;
    }
    if (c != '\\' || i + 1 == text.size()) {
      plain.push_back(c);
      ++i;
      continue;
    }
    const char code = text[i + 1];
    i += 2;
    if (code == 'P' || code == '~') {
      plain.push_back(' ');
    } else if (code == '\\' || code == '{' || code == '}') {
      plain.push_back(code);
    } else if (kValueCodes.find(code) != std::string_view::npos) {
      const std::size_t end = text.find(';', i);
      i = end == std::string_view::npos ? text.size() : end + 1;
    } else if (code == 'S') {
      const std::size_t end = text.find(';', i);
      for (std::size_t k = i; k < (end == std::string_view::npos ? text.size() : end); ++k)
        plain.push_back(text[k] == '^' || text[k] == '#' ? '/' : text[k]);
      i = end == std::string_view::npos ? text.size() : end + 1;
    } else if (kToggleCodes.find(code) == std::string_view::npos) {
      plain.push_back('\\');
      plain.push_back(code);
    }
  }
  return plain;
}

}  // namespace quorvex
