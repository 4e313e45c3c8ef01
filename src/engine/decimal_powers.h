#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorvex {

/// base^0 .. base^(Count - 1) in T.
template <typename T, std::size_t Count>
constexpr std::array<T, Count> Powers(T base) {
  std::array<T, Count> powers{};
  T power = 1;
  for (T& entry : powers) {
    entry = power;
    power *= base;
  }
  return powers;
}

/// 10^0 .. 10^19, every power of ten that a 64-bit unsigned integer holds.
inline constexpr std::array<std::uint64_t, 20> kPowersOfTen = Powers<std::uint64_t, 20>(10);

}  // namespace quorvex
