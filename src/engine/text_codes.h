#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quorvex {

/// The characters of the codes 0 to 255 of one code page, in UTF-8, for the codes "%%nnn".
class CodePageCharacters {
 public:
  /// The characters of the code page that iconv knows as `iconv_name`; only the ASCII ones when
  /// it cannot decode that.
  explicit CodePageCharacters(const std::string& iconv_name);

  /// The character of `code`; empty when the code page has none there.
  std::string_view Of(int code) const {
    return code >= 0 && code < 256 ? std::string_view(characters_[static_cast<std::size_t>(code)])
                                   : std::string_view();
  }

 private:
  std::array<std::string, 256> characters_;
};

/// A single-line text or attribute value, decoded to UTF-8, as people read it: "%%c" becomes
/// the diameter sign U+2300, "%%d" the degree sign, "%%p" the plus-minus sign, "%%%" a percent
/// sign, "%%nnn" (three digits) the character of code nnn in `characters`, and the underline
/// and overline toggles "%%u" and "%%o" are dropped; letters in either case. A "%%nnn" of a
/// control character, or of a code that the code page has no character for, stays as written,
/// as does every other "%".
std::string PlainTextCodes(std::string_view text, const CodePageCharacters& characters);

}  // namespace quorvex
