#pragma once

namespace quorvex {

/// A point or direction. Components are held as doubles; operations on them compute each
/// component in 80-bit extended precision and store the result back as a double.
struct TVecteur {
  double X = 0;
  double Y = 0;
  double Z = 0;
};

}  // namespace quorvex
