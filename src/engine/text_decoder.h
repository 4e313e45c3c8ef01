#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "drawing_encoding.h"

namespace quorvex {

/// A text decoded to UTF-8, and how many of its characters could not be decoded.
struct DecodedText {
  std::string_view text;
  std::size_t replaced = 0;
};

/// Turns the texts of one drawing into UTF-8: their bytes in the drawing's encoding (a code page
/// with iconv; UTF-8 checked here; with `utf8_first`, as UTF-8 when they are valid UTF-8), then
/// the escapes "\U+XXXX" (four hex digits, either case; a pair of surrogates makes one character)
/// by which drawings write characters that their code page lacks. A byte that does not decode
/// (in UTF-8: each byte that does not start a valid character), and an escaped lone surrogate,
/// become U+FFFD and are counted. An escaped control character (below U+0020, and U+007F) is
/// kept as written, so that a text never breaks a line. Each instance serves one thread.
class TextDecoder {
 public:
  TextDecoder();
  ~TextDecoder();
  TextDecoder(const TextDecoder&) = delete;
  TextDecoder& operator=(const TextDecoder&) = delete;

  /// Decodes from `encoding` from now on (DefaultEncoding until the first call).
  void SetEncoding(DrawingEncoding encoding);

  /// The name of the encoding decoded from: the one set, or DefaultEncoding's when iconv cannot
  /// decode that one.
  const std::string& EncodingName() const { return encoding_.name; }

  /// Appends `text` decoded to `out`; returns how many characters became U+FFFD. A text of
  /// ASCII characters without a backslash, the usual case, is appended as it is.
  std::size_t Append(std::string_view text, std::string& out) {
    if (IsPlain(text)) {
      out.append(text);
      return 0;
    }
    return AppendDecoded(text, out);
  }

  /// `text` decoded: `text` itself when it needs no decoding, otherwise held in `storage`.
  DecodedText Decode(std::string_view text, std::string& storage) {
    if (IsPlain(text)) return {text, 0};
    storage.clear();
    const std::size_t replaced = AppendDecoded(text, storage);
    return {storage, replaced};
  }

  /// Appends `text` decoded as Append does, but with "\U+XXXX" kept as it is written: for texts
  /// that are not a drawing's, such as a configuration's, where it is no escape.
  std::size_t AppendUnescaped(std::string_view text, std::string& out);

  /// After an Append or Decode that replaced characters: how many of them stand within the first
  /// `size` bytes of what it wrote.
  std::size_t ReplacedWithin(std::size_t size) const;

 private:
  // ASCII without a backslash, what nearly every text of a drawing is, needs no decoding. With
  // this test first, exporting layer, handle, block name and text string costs what it cost
  // before texts were decoded (survey drawing: 368 MB/s both, December 2026).
  static bool IsPlain(std::string_view text) {
    bool plain = true;
    for (const char c : text)
      plain &= static_cast<unsigned char>(c) < 0x80 && c != '\\';
    return plain;
  }
  // An iconv descriptor to UTF-8, opened at the first text that needs it.
  struct Converter {
    void* descriptor = nullptr;
    bool opened = false;
    bool Usable() const;
    void Close();
  };
  std::size_t AppendDecoded(std::string_view text, std::string& out);
  void AppendConverted(std::string_view text, std::string& out);
  void AppendUtf8Checked(std::string_view text, std::string& out);
  void ReplaceEscapes(std::string& out);
  // Appends U+FFFD where a character could not be decoded, and notes where.
  void AppendReplacement(std::string& out);
  Converter& CodePage();

  DrawingEncoding encoding_;
  Converter code_page_;  // from encoding_
  std::string escaped_;  // the text being freed of its escapes
  // Of the text being decoded: where it began in its output and where each U+FFFD that stands
  // for an undecodable character was written, in order.
  std::size_t start_ = 0;
  std::vector<std::size_t> replaced_at_;
  std::vector<std::size_t> moved_at_;  // replaced_at_ after the escapes
};

}  // namespace quorvex
