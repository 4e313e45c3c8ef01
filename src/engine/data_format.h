#pragma once

namespace quorvex {

/// How data files are written beyond what the configuration says, for programs that read them.
/// Every choice is off by default, and then the data files are what the window writes.
struct DataFormat {
  /// RFC 4180 quoting: a field that holds the separator, a double quote, a CR or an LF is
  /// enclosed in double quotes, each double quote in it doubled.
  bool quote = false;
  /// Multiline text without its formatting codes (see PlainMText).
  bool mtext_plain = false;
  /// Single-line text and attribute values without their %% codes (see PlainTextCodes); it
  /// implies `mtext_plain`.
  bool text_plain = false;
  /// Lines end in LF alone instead of CR LF.
  bool lf_line_ends = false;
  /// The file starts with the UTF-8 byte-order mark.
  bool bom = false;
  /// Coordinates are written with "," as their decimal separator.
  bool decimal_comma = false;

  bool Plain() const {
    return !quote && !mtext_plain && !text_plain && !lf_line_ends && !bom && !decimal_comma;
  }

  friend bool operator==(const DataFormat&, const DataFormat&) = default;
};

}  // namespace quorvex
