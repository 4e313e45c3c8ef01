#pragma once

namespace quorvex {

/// The x86-64 80-bit extended value nearest to pi, for angles given in degrees.
inline constexpr long double kExtendedPi =
    3.14159265358979323851280895940618620443274267017841339111328125L;

/// A point or direction. Components are held as doubles; every operation below evaluates each
/// component's whole expression in 80-bit extended precision, in the order written, and stores
/// the result as a double, so results are the same bits on every build.
struct TVecteur {
  double X = 0;
  double Y = 0;
  double Z = 0;

  friend bool operator==(const TVecteur&, const TVecteur&) = default;
};

/// Scales `v` to unit length; a vector of length 0 is left unchanged.
void NormalizeVector(TVecteur& v);

/// (a.Y*b.Z - a.Z*b.Y, a.Z*b.X - a.X*b.Z, a.X*b.Y - a.Y*b.X)
TVecteur CrossProduct(const TVecteur& a, const TVecteur& b);

/// The object X and Y axes for the extrusion direction `n` (the arbitrary axis algorithm).
/// `n` is used as given, not normalised.
void ArbitraryAxes(const TVecteur& n, TVecteur& ax, TVecteur& ay);

/// P.X*ax + P.Y*ay + P.Z*n: the world coordinates of the object point `p`.
TVecteur OcsToWcs(const TVecteur& p, const TVecteur& ax, const TVecteur& ay, const TVecteur& n);

/// True when `n` is not exactly (0, 0, 1), so object coordinates must be transformed.
inline bool NeedsTransform(const TVecteur& n) {
  return n.X != 0 || n.Y != 0 || n.Z != 1;
}

}  // namespace quorvex
