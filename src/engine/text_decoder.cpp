#include "text_decoder.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <utility>

#include "text_util.h"

namespace quorvex {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view kEscapeStart = "\\U+";
constexpr std::size_t kEscapeSize = 7;  // "\U+" and four hex digits

const iconv_t kNotOpened = reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));
constexpr std::size_t kStopped = static_cast<std::size_t>(-1);

// Appends `text` converted by `descriptor`. A byte that does not convert (a character cut short
// at the end included) becomes U+FFFD, or, when `strict`, stops the conversion. Returns how
// many bytes became U+FFFD, or kStopped.
std::size_t Convert(iconv_t descriptor, std::string_view text, std::string& out, bool strict) {
  iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
  // iconv's input is not const but is only read.
  char* in = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  // Every encoding here takes at least one byte for a character that UTF-8 writes in four.
  std::size_t room = 4 * in_left + 16;
  std::size_t used = out.size();
  std::size_t replaced = 0;
  while (in_left > 0) {
    out.resize(used + room);
    char* out_at = out.data() + used;
    std::size_t out_left = room;
    const std::size_t result = iconv(descriptor, &in, &in_left, &out_at, &out_left);
    used += room - out_left;
    if (result != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      room *= 2;
      continue;
    }
    if (strict) {
      out.resize(used);
      return kStopped;
    }
    out.resize(used);
    out.append(kReplacement);
    used = out.size();
    ++replaced;
    ++in;
    --in_left;
    iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(used);
  return replaced;
}

// The character of the escape at `at`, when four hex digits follow "\U+".
std::optional<char32_t> EscapedCharacter(std::string_view text, std::size_t at) {
  if (text.size() - at < kEscapeSize || text.substr(at, 3) != kEscapeStart) return std::nullopt;
  char32_t value = 0;
  for (std::size_t i = at + 3; i < at + kEscapeSize; ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return std::nullopt;
    }
    value = value * 16 + static_cast<char32_t>(digit);
  }
  return value;
}

bool IsHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

bool TextDecoder::Converter::Usable() const {
  return descriptor != kNotOpened;
}

void TextDecoder::Converter::Close() {
  if (opened && Usable()) iconv_close(descriptor);
  opened = false;
  descriptor = nullptr;
}

TextDecoder::TextDecoder() : encoding_(DefaultEncoding()) {}

TextDecoder::~TextDecoder() {
  code_page_.Close();
  utf8_.Close();
}

void TextDecoder::SetEncoding(DrawingEncoding encoding) {
  code_page_.Close();
  encoding_ = std::move(encoding);
}

TextDecoder::Converter& TextDecoder::CodePage() {
  if (code_page_.opened) return code_page_;
  code_page_.opened = true;
  code_page_.descriptor = iconv_open("UTF-8", encoding_.iconv.c_str());
  if (!code_page_.Usable()) {
    // A code page that this system cannot decode is read as a drawing that names none.
    encoding_ = DefaultEncoding();
    code_page_.descriptor = iconv_open("UTF-8", encoding_.iconv.c_str());
  }
  return code_page_;
}

TextDecoder::Converter& TextDecoder::Utf8() {
  if (!utf8_.opened) {
    utf8_.opened = true;
    utf8_.descriptor = iconv_open("UTF-8", "UTF-8");
  }
  return utf8_;
}

std::size_t TextDecoder::AppendDecoded(std::string_view text, std::string& out) {
  const std::size_t start = out.size();
  bool ascii = true;
  for (const char c : text)
    ascii &= static_cast<unsigned char>(c) < 0x80;
  std::size_t replaced = 0;
  if (ascii) {
    out.append(text);
  } else {
    replaced = AppendConverted(text, out);
  }
  // Escapes are read in the decoded text: in a double-byte code page the byte of "\" can be the
  // second half of a character.
  if (out.find(kEscapeStart, start) != std::string::npos) replaced += ReplaceEscapes(out, start);
  return replaced;
}

std::size_t TextDecoder::AppendConverted(std::string_view text, std::string& out) {
  const Converter& code_page = CodePage();
  if (encoding_.utf8_first && Utf8().Usable()) {
    const std::size_t start = out.size();
    if (Convert(utf8_.descriptor, text, out, true) != kStopped) return 0;
    out.resize(start);
  }
  if (code_page.Usable()) return Convert(code_page.descriptor, text, out, false);
  // Not even the default code page can be decoded here: only ASCII survives.
  std::size_t replaced = 0;
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x80) {
      out.push_back(c);
    } else {
      out.append(kReplacement);
      ++replaced;
    }
  }
  return replaced;
}

std::size_t TextDecoder::ReplaceEscapes(std::string& out, std::size_t start) {
  const std::string_view text = std::string_view(out).substr(start);
  std::string& result = escaped_;
  result.clear();
  std::size_t replaced = 0;
  std::size_t done = 0;
  for (std::size_t at = text.find(kEscapeStart); at != std::string_view::npos;
       at = text.find(kEscapeStart, at)) {
    std::optional<char32_t> c = EscapedCharacter(text, at);
    if (!c || *c < 0x20 || *c == 0x7F) {
      ++at;
      continue;
    }
    result.append(text.substr(done, at - done));
    std::size_t end = at + kEscapeSize;
    if (IsHighSurrogate(*c)) {
      const std::optional<char32_t> low = EscapedCharacter(text, end);
      if (low && IsLowSurrogate(*low)) {
        c = 0x10000 + ((*c - 0xD800) << 10) + (*low - 0xDC00);
        end += kEscapeSize;
      }
    }
    if (IsHighSurrogate(*c) || IsLowSurrogate(*c)) {
      result.append(kReplacement);
      ++replaced;
    } else {
      AppendUtf8(*c, result);
    }
    done = at = end;
  }
  if (done == 0) return 0;
  result.append(text.substr(done));
  out.resize(start);
  out.append(result);
  return replaced;
}

}  // namespace quorvex
