#include "drawing_encoding.h"

#include <iconv.h>

#include <charconv>
#include <cstdint>
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

bool CanDecode(const std::string& iconv_name) {
  if (iconv_name == "UTF-8") return true;
  const iconv_t descriptor = iconv_open("UTF-8", iconv_name.c_str());
  if (descriptor == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) return false;
  iconv_close(descriptor);
  return true;
}

std::vector<std::string> DecodableCodePages() {
  std::vector<std::string> names;
  auto add = [&](std::string name) {
    if (CanDecode(IconvCodePage(name))) names.push_back(std::move(name));
  };
  for (const int number :
       {874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 1361})
    add("ANSI_" + std::to_string(number));
  for (const int number : {437, 850, 852, 855, 857, 860, 861, 863, 864, 865, 866, 869})
    add("DOS" + std::to_string(number));
  for (int number = 1; number <= 16; ++number)
    if (number != 12) add("ISO8859-" + std::to_string(number));
  for (const char* name : {"MAC-ROMAN", "BIG5", "GB2312", "KSC5601", "JOHAB", "UTF-8"})
    add(name);
  return names;
}

}  // namespace

const std::vector<std::string>& ChoosableCodePages() {
  static const std::vector<std::string> names = DecodableCodePages();
  return names;
}

std::string ChoosableCodePage(std::string_view name) {
  const std::string upper = Upper(name);
  for (const std::string& choosable : ChoosableCodePages())
    if (choosable == upper) return choosable;
  return {};
}

DrawingEncoding DefaultEncoding() {
  // Drawings without a code page come from small writers of either kind: old ones that write
  // the system's code page, and newer ones that write UTF-8. Text in a Windows code page is
  // almost never valid UTF-8, while UTF-8 read as ANSI_1252 would turn into other characters
  // without a byte that fails to decode, so UTF-8 is tried first.
  std::string iconv = IconvCodePage(kDefaultCodePage);
  return {std::string(kDefaultCodePage), iconv, true, iconv, {}};
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

DrawingEncoding EncodingOf(const TextHeader& header, UnicodeMark byte_order_mark,
                           std::string_view chosen) {
  const std::string named = IconvCodePage(header.code_page);
  const bool named_decodable = !named.empty() && CanDecode(named);
  // A drawing whose texts are UTF-8 still writes "%%nnn" in the code page it names.
  const std::string codes =
      named_decodable && named != "UTF-8" ? named : IconvCodePage(kDefaultCodePage);
  auto encoding = [&](std::string_view name, std::string iconv) {
    std::string percent = iconv == "UTF-8" ? codes : iconv;
    return DrawingEncoding{std::string(name), std::move(iconv), false, std::move(percent), {}};
  };
  if (byte_order_mark == UnicodeMark::kUtf16) return encoding("UTF-16", "UTF-8");
  if (byte_order_mark == UnicodeMark::kUtf8) return encoding("UTF-8", "UTF-8");
  if (!chosen.empty()) return encoding(chosen, IconvCodePage(chosen));
  if (StoresUtf8(header.version)) return encoding("UTF-8", "UTF-8");
  if (header.code_page.empty()) return DefaultEncoding();
  if (!named_decodable) {
    DrawingEncoding fallback = DefaultEncoding();
    fallback.not_decodable = std::string(header.code_page);
    return fallback;
  }
  return encoding(header.code_page, named);
}

}  // namespace quorvex
