#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace quorvex {

// Eight bytes looked at as one integer, the first byte in the lowest one: a whole short line
// is searched with a few operations and no branch per byte.
static_assert(std::endian::native == std::endian::little);

/// The eight bytes from `at` on, which must all be readable.
inline std::uint64_t LoadEightBytes(const char* at) {
  std::uint64_t chunk;
  std::memcpy(&chunk, at, sizeof chunk);
  return chunk;
}

/// `c` in every byte.
constexpr std::uint64_t EveryByte(char c) {
  return std::uint64_t{0x0101010101010101} * static_cast<unsigned char>(c);
}

/// The high bit of every byte of `chunk` that equals `c`, and no other bit.
inline std::uint64_t BytesEqualTo(std::uint64_t chunk, char c) {
  constexpr std::uint64_t kLow7 = EveryByte(0x7F);
  const std::uint64_t x = chunk ^ EveryByte(c);  // 0 where equal
  // Adding 0x7F to the low seven bits never carries into the next byte.
  return ~(((x & kLow7) + kLow7) | x | kLow7);
}

/// The index of the first byte whose high bit `bits` has set; 8 when there is none.
inline int FirstMarkedByte(std::uint64_t bits) {
  return std::countr_zero(bits) / 8;
}

/// The number of ASCII digits with which `chunk` starts.
inline int LeadingDigits(std::uint64_t chunk) {
  const std::uint64_t values = chunk ^ EveryByte('0');  // a digit is its value
  // A nibble set above the low one marks a byte that is not a digit; the carry of a byte of
  // 0xFA or more reaches only bytes after the first that is not a digit.
  return FirstMarkedByte((values | (values + EveryByte(6))) & EveryByte('\xF0'));
}

/// The value of the `count` (1 to 4) digits with which `chunk` starts.
inline std::int32_t LeadingDigitsValue(std::uint64_t chunk, int count) {
  const std::uint64_t values = chunk ^ EveryByte('0');
  // The digits moved to the top of four bytes, leading zeros before them, then combined in
  // pairs (tens and units in one byte) and the two pairs.
  const std::uint64_t four = (values & ((std::uint64_t{1} << (8 * count)) - 1))
                             << (8 * (4 - count));
  const std::uint64_t pairs = (four * 10 + (four >> 8)) & 0x00FF00FF;
  return static_cast<std::int32_t>((pairs & 0xFF) * 100 + (pairs >> 16));
}

}  // namespace quorvex
