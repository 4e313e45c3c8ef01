#include "drawing_encoding.h"

#include <charconv>
#include <utility>

#include "text_util.h"

namespace quorvex {
namespace {

// The first version that stores its texts in UTF-8: R2007.
constexpr int kFirstUtf8Version = 1021;

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    c = AsciiUpper(c);
  return upper;
}

// The digits after `prefix` when `text` is `prefix` and a short run of digits; else empty.
std::string_view NumberAfter(std::string_view text, std::string_view prefix) {
  if (text.size() <= prefix.size() || text.size() > prefix.size() + 5) return {};
  if (text.substr(0, prefix.size()) != prefix) return {};
  const std::string_view digits = text.substr(prefix.size());
  for (const char c : digits)
    if (c < '0' || c > '9') return {};
  return digits;
}

bool StoresUtf8(std::string_view version) {
  if (version.size() != 6 || version.substr(0, 2) != "AC") return false;
  int number = 0;
  const auto [end, error] = std::from_chars(version.data() + 2, version.data() + 6, number);
  return error == std::errc() && end == version.data() + 6 && number >= kFirstUtf8Version;
}

}  // namespace

DrawingEncoding DefaultEncoding() {
  // Drawings without a code page come from small writers of either kind: old ones that write
  // the system's code page, and newer ones that write UTF-8. Text in a Windows code page is
  // almost never valid UTF-8, while UTF-8 read as ANSI_1252 would turn into other characters
  // without a byte that fails to decode, so UTF-8 is tried first.
  return {std::string(kDefaultCodePage), IconvCodePage(kDefaultCodePage), true};
}

void TextHeader::Take(std::string_view name, const DxfLines& lines, DxfCursor after) {
  std::string_view* value;
  std::string_view code;
  if (name == "$ACADVER") {
    value = &version;
    code = "1";
  } else if (name == "$DWGCODEPAGE") {
    value = &code_page;
    code = "3";
  } else {
    return;
  }
  if (!value->empty() || lines.AtEnd(after) || Trimmed(lines.Take(after)) != code) return;
  if (!lines.AtEnd(after)) *value = Trimmed(lines.Take(after));
}

std::string IconvCodePage(std::string_view dxf_name) {
  const std::string name = Upper(dxf_name);
  if (const std::string_view n = NumberAfter(name, "ANSI_"); !n.empty())
    return "CP" + std::string(n);
  if (const std::string_view n = NumberAfter(name, "DOS"); !n.empty()) return "CP" + std::string(n);
  if (const std::string_view n = NumberAfter(name, "ISO8859-"); !n.empty()) {
    return "ISO-8859-" + std::string(n);
  }
  struct Alias {
    std::string_view dxf, iconv;
  };
  static constexpr Alias kAliases[] = {
      {"MAC-ROMAN", "MACINTOSH"}, {"BIG5", "BIG5"},   {"GB2312", "GB2312"}, {"KSC5601", "EUC-KR"},
      {"JOHAB", "JOHAB"},         {"UTF-8", "UTF-8"}, {"UTF8", "UTF-8"},
  };
  for (const Alias& alias : kAliases)
    if (name == alias.dxf) return std::string(alias.iconv);
  return {};
}

DrawingEncoding EncodingOf(const TextHeader& header, UnicodeMark byte_order_mark) {
  if (byte_order_mark == UnicodeMark::kUtf16) return {"UTF-16", "UTF-8"};
  if (byte_order_mark == UnicodeMark::kUtf8 || StoresUtf8(header.version)) {
    return {"UTF-8", "UTF-8"};
  }
  std::string iconv = IconvCodePage(header.code_page);
  if (iconv.empty()) return DefaultEncoding();
  return {std::string(header.code_page), std::move(iconv)};
}

}  // namespace quorvex
