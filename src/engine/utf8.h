#pragma once

#include <cstddef>
#include <string_view>

namespace quorvex {

// UTF-8 as the standard defines it (RFC 3629): no overlong forms, no surrogates, nothing above
// U+10FFFF, no character cut short. The system's decoder is not trusted with this: glibc's takes
// the old five- and six-byte forms and characters up to U+7FFFFFFF.

/// The number of bytes (1 to 4) of the character that starts `text`, or 0 when `text` is empty
/// or does not start with a valid UTF-8 character.
std::size_t Utf8CharacterSize(std::string_view text);

/// The number of bytes at the start of `text` that are valid UTF-8: the size of `text` when all
/// of it is.
std::size_t ValidUtf8Size(std::string_view text);

/// True when `text` is valid UTF-8.
inline bool IsUtf8(std::string_view text) {
  return ValidUtf8Size(text) == text.size();
}

}  // namespace quorvex
