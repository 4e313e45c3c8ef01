#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dxf_lines.h"

namespace quorvex {

/// How a drawing stores its texts.
struct DrawingEncoding {
  std::string name;         // as the report names it: "UTF-8", or the code page, e.g. "ANSI_1250"
  std::string iconv;        // the name iconv knows it by, e.g. "CP1250"; "UTF-8" is read here
  bool utf8_first = false;  // a text that is valid UTF-8 is read as UTF-8, any other from `iconv`
  /// The code page of the codes "%%nnn" (its iconv name): `iconv` when that is a code page,
  /// else the one the header names, else kDefaultCodePage's.
  std::string percent_codes;
  /// The code page that the header names but that cannot be decoded here, so that the texts
  /// were read as in a drawing that names none; empty when there is no such name.
  std::string not_decodable;

  friend bool operator==(const DrawingEncoding&, const DrawingEncoding&) = default;
};

/// The code page of a drawing that names none: the one that drawings of that age assume.
inline constexpr std::string_view kDefaultCodePage = "ANSI_1252";

/// The code pages that a run can be told to decode every drawing from, named as headers name
/// them, each one that this system decodes: the Windows ("ANSI_1251"), DOS ("DOS850") and ISO
/// ("ISO8859-2") code pages, MAC-ROMAN, BIG5, GB2312, KSC5601, JOHAB and UTF-8.
const std::vector<std::string>& ChoosableCodePages();

/// The entry of ChoosableCodePages that `name` names, letters in either case; empty for none.
std::string ChoosableCodePage(std::string_view name);

/// The encoding of a drawing that names no code page: a text that is valid UTF-8 is read as
/// UTF-8, any other in kDefaultCodePage.
DrawingEncoding DefaultEncoding();

/// The header variables that tell how a drawing stores its texts, trimmed, as the header spells
/// them; empty when the header has none.
struct TextHeader {
  std::string_view version;    // $ACADVER, e.g. "AC1015"
  std::string_view code_page;  // $DWGCODEPAGE, e.g. "ANSI_1252"

  /// Takes the value of the header variable `name` (the value line of a group 9) when it is
  /// one of the two above, not taken before, and followed by its group code and value; `after`
  /// is the line after `name`.
  void Take(std::string_view name, const DxfLines& lines, DxfCursor after);
};

/// The iconv name of a code page as a drawing names it, letters in either case: "ANSI_n" and
/// "DOSn" are Windows and DOS code page n ("ANSI_1252" is "CP1252", "dos850" "CP850"),
/// "ISO8859-n" is ISO-8859-n, and "MAC-ROMAN", "BIG5", "GB2312", "KSC5601", "JOHAB" and "UTF-8"
/// are what they say. Empty for any other name. Whether iconv can decode it is not tested here.
std::string IconvCodePage(std::string_view dxf_name);

/// How the drawing's texts are stored: as UTF-8 when the file began with a byte-order mark
/// (named UTF-16 after that mark, whose text DxfLines holds as UTF-8); else in `chosen`, a name
/// of ChoosableCodePages, when it is not empty; else as UTF-8 when its version is R2007 (AC1021)
/// or later; otherwise in the code page of `$DWGCODEPAGE`, or as DefaultEncoding when the header
/// names none or one that this system cannot decode (then named in `not_decodable`).
DrawingEncoding EncodingOf(const TextHeader& header, UnicodeMark byte_order_mark,
                           std::string_view chosen = {});

}  // namespace quorvex
