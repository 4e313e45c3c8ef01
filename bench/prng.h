#pragma once

#include <cstdint>

namespace quorvex::bench {

/// A small pseudo-random generator (SplitMix64) of our own, so that a drawing generated from a
/// seed is the same byte for byte with every compiler and standard library.
class Prng {
 public:
  explicit Prng(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  /// A value in [low, high]; the slight modulo bias does not matter for test drawings.
  std::int64_t Between(std::int64_t low, std::int64_t high) {
    return low + static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(high - low + 1));
  }

  /// True with a chance of `percent` in 100.
  bool Percent(int percent) { return Between(0, 99) < percent; }

 private:
  std::uint64_t state_;
};

}  // namespace quorvex::bench
