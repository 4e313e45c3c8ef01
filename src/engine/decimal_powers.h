#pragma once

#include <array>
#include <cstdint>

namespace quorvex {

/// 10^0 .. 10^19, every power of ten that a 64-bit unsigned integer holds.
inline constexpr std::array<std::uint64_t, 20> kPowersOfTen = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& entry : powers) {
    entry = power;
    power *= 10;
  }
  return powers;
}();

}  // namespace quorvex
