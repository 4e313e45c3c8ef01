#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quorvex {

/// A length byte followed by `Capacity` character bytes, the storage form of every text of the
/// export configuration. Assigning a shorter text leaves the bytes behind the new length as they
/// were: configuration files store the whole slot, and the "changed" test compares it whole.
template <std::size_t Capacity>
struct ShortString {
  static_assert(Capacity >= 1 && Capacity <= 255);
  static constexpr std::size_t kCapacity = Capacity;

  std::uint8_t length = 0;
  std::array<char, Capacity> chars{};

  std::string_view View() const { return {chars.data(), length}; }

  /// Stores `text` cut at the capacity; when `text` is UTF-8, the cut never splits a character.
  void Assign(std::string_view text) {
    std::size_t n = text.size() < Capacity ? text.size() : Capacity;
    if (n < text.size()) {
      // Back up over continuation bytes (10xxxxxx) so the cut lands on a character boundary.
      while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    }
    for (std::size_t i = 0; i < n; ++i)
      chars[i] = text[i];
    length = static_cast<std::uint8_t>(n);
  }

  friend bool operator==(const ShortString&, const ShortString&) = default;
};

}  // namespace quorvex
