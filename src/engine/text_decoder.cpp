#include "text_decoder.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <utility>

#include "text_util.h"
#include "utf8.h"

namespace quorvex {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view kEscapeStart = "\\U+";
constexpr std::size_t kEscapeSize = 7;  // "\U+" and four hex digits

const iconv_t kNotOpened = reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));

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

std::size_t TextDecoder::ReplacedWithin(std::size_t size) const {
  std::size_t count = 0;
  for (const std::size_t at : replaced_at_)
    count += at < start_ + size;
  return count;
}

void TextDecoder::AppendReplacement(std::string& out) {
  replaced_at_.push_back(out.size());
  out.append(kReplacement);
}

std::size_t TextDecoder::AppendDecoded(std::string_view text, std::string& out) {
  start_ = out.size();
  replaced_at_.clear();
  bool ascii = true;
  for (const char c : text)
    ascii &= static_cast<unsigned char>(c) < 0x80;
  if (ascii) {
    out.append(text);
  } else {
    AppendConverted(text, out);
  }
  // Escapes are read in the decoded text: in a double-byte code page the byte of "\" can be the
  // second half of a character.
  if (out.find(kEscapeStart, start_) != std::string::npos) ReplaceEscapes(out);
  return replaced_at_.size();
}

std::size_t TextDecoder::AppendUnescaped(std::string_view text, std::string& out) {
  start_ = out.size();
  replaced_at_.clear();
  AppendConverted(text, out);
  return replaced_at_.size();
}

void TextDecoder::AppendConverted(std::string_view text, std::string& out) {
  if (encoding_.iconv == "UTF-8") {
    AppendUtf8Checked(text, out);
    return;
  }
  const Converter& code_page = CodePage();
  if (encoding_.utf8_first && IsUtf8(text)) {
    out.append(text);
    return;
  }
  if (!code_page.Usable()) {
    // Not even the default code page can be decoded here: only ASCII survives.
    for (const char c : text) {
      if (static_cast<unsigned char>(c) < 0x80) {
        out.push_back(c);
      } else {
        AppendReplacement(out);
      }
    }
    return;
  }
  // A byte that does not convert (a character cut short at the end included) becomes U+FFFD.
  iconv_t descriptor = code_page.descriptor;
  iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
  // iconv's input is not const but is only read.
  char* in = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  // Every encoding here takes at least one byte for a character that UTF-8 writes in four.
  std::size_t room = 4 * in_left + 16;
  std::size_t used = out.size();
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
    out.resize(used);
    AppendReplacement(out);
    used = out.size();
    ++in;
    --in_left;
    iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(used);
}

void TextDecoder::AppendUtf8Checked(std::string_view text, std::string& out) {
  for (;;) {
    const std::size_t valid = ValidUtf8Size(text);
    out.append(text.substr(0, valid));
    if (valid == text.size()) return;
    AppendReplacement(out);
    text.remove_prefix(valid + 1);
  }
}

void TextDecoder::ReplaceEscapes(std::string& out) {
  const std::string_view text = std::string_view(out).substr(start_);
  std::string& result = escaped_;
  result.clear();
  // The places of the replacements move with the text around them.
  moved_at_.clear();
  std::size_t next_replaced = 0;
  auto append_text = [&](std::size_t from, std::size_t to) {
    for (; next_replaced < replaced_at_.size() && replaced_at_[next_replaced] < start_ + to;
         ++next_replaced) {
      moved_at_.push_back(replaced_at_[next_replaced] - from + result.size());
    }
    result.append(text.substr(from, to - from));
  };
  std::size_t done = 0;
  for (std::size_t at = text.find(kEscapeStart); at != std::string_view::npos;
       at = text.find(kEscapeStart, at)) {
    std::optional<char32_t> c = EscapedCharacter(text, at);
    if (!c || *c < 0x20 || *c == 0x7F) {
      ++at;
      continue;
    }
    append_text(done, at);
    std::size_t end = at + kEscapeSize;
    if (IsHighSurrogate(*c)) {
      const std::optional<char32_t> low = EscapedCharacter(text, end);
      if (low && IsLowSurrogate(*low)) {
        c = 0x10000 + ((*c - 0xD800) << 10) + (*low - 0xDC00);
        end += kEscapeSize;
      }
    }
    if (IsHighSurrogate(*c) || IsLowSurrogate(*c)) {
      moved_at_.push_back(start_ + result.size());
      result.append(kReplacement);
    } else {
      AppendUtf8(*c, result);
    }
    done = at = end;
  }
  if (done == 0) return;
  append_text(done, text.size());
  out.resize(start_);
  out.append(result);
  replaced_at_.swap(moved_at_);
}

}  // namespace quorvex
