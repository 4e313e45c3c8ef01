#include "text_codes.h"

#include <iconv.h>

#include <cstdint>

namespace quorvex {
namespace {

constexpr std::string_view kCodeStart = "%%";

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

CodePageCharacters::CodePageCharacters(const std::string& iconv_name) {
  for (std::size_t code = 0; code < 0x80; ++code)
    characters_[code] = std::string(1, static_cast<char>(code));
  const iconv_t descriptor = iconv_open("UTF-8", iconv_name.c_str());
  if (descriptor == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) return;
  for (std::size_t code = 0x80; code < 256; ++code) {
    char byte = static_cast<char>(code);
    char* in = &byte;
    std::size_t in_left = 1;
    char buffer[8];
    char* out = buffer;
    std::size_t out_left = sizeof buffer;
    iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
    // A lead byte of a double-byte code page is no character on its own.
    if (iconv(descriptor, &in, &in_left, &out, &out_left) == static_cast<std::size_t>(-1) ||
        in_left != 0)
      continue;
    characters_[code].assign(buffer, out);
  }
  iconv_close(descriptor);
}

std::string PlainTextCodes(std::string_view text, const CodePageCharacters& characters) {
  std::string plain;
  plain.reserve(text.size());
  std::size_t done = 0;
  for (std::size_t at = text.find(kCodeStart); at != std::string_view::npos;
       at = text.find(kCodeStart, at)) {
    const std::string_view rest = text.substr(at + kCodeStart.size());
    std::string_view replacement;
    std::size_t size = kCodeStart.size() + 1;
    if (rest.size() >= 3 && IsDigit(rest[0]) && IsDigit(rest[1]) && IsDigit(rest[2])) {
      const int code = (rest[0] - '0') * 100 + (rest[1] - '0') * 10 + (rest[2] - '0');
      // A control character would break the line or drive a terminal.
      if (code >= 32 && code != 127) replacement = characters.Of(code);
      size += 2;
    } else if (!rest.empty()) {
      switch (Lower(rest[0])) {
        case 'c':
          replacement = "\u2300";
          break;
        case 'd':
          replacement = "\u00B0";
          break;
        case 'p':
          replacement = "\u00B1";
          break;
        case '%':
          replacement = "%";
          break;
        case 'u':
        case 'o':
          plain.append(text.substr(done, at - done));
          done = at = at + size;
          continue;
        default:
          break;
      }
    }
    if (replacement.empty()) {
      ++at;
      continue;
    }
    plain.append(text.substr(done, at - done));
    plain.append(replacement);
    done = at = at + size;
  }
  plain.append(text.substr(done));
  return plain;
}

}  // namespace quorvex
