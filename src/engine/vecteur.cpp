#include "vecteur.h"

#include <cmath>

namespace quorvex {
namespace {

using Extended = long double;

}  // namespace

void NormalizeVector(TVecteur& v) {
  const Extended length =
      std::sqrt(Extended(v.X) * v.X + Extended(v.Y) * v.Y + Extended(v.Z) * v.Z);
  if (length == 0) return;
  v.X = static_cast<double>(v.X / length);
  v.Y = static_cast<double>(v.Y / length);
  v.Z = static_cast<double>(v.Z / length);
}

TVecteur CrossProduct(const TVecteur& a, const TVecteur& b) {
  return {static_cast<double>(Extended(a.Y) * b.Z - Extended(a.Z) * b.Y),
          static_cast<double>(Extended(a.Z) * b.X - Extended(a.X) * b.Z),
          static_cast<double>(Extended(a.X) * b.Y - Extended(a.Y) * b.X)};
}

void ArbitraryAxes(const TVecteur& n, TVecteur& ax, TVecteur& ay) {
  constexpr double kLimit = 1.0 / 64;
  if (std::fabs(n.X) < kLimit && std::fabs(n.Y) < kLimit) {
    ax = CrossProduct({0, 1, 0}, n);
  } else {
    ax = CrossProduct({0, 0, 1}, n);
  }
  NormalizeVector(ax);
  ay = CrossProduct(n, ax);
  NormalizeVector(ay);
}

TVecteur OcsToWcs(const TVecteur& p, const TVecteur& ax, const TVecteur& ay, const TVecteur& n) {
  return {static_cast<double>(Extended(p.X) * ax.X + Extended(p.Y) * ay.X + Extended(p.Z) * n.X),
          static_cast<double>(Extended(p.X) * ax.Y + Extended(p.Y) * ay.Y + Extended(p.Z) * n.Y),
          static_cast<double>(Extended(p.X) * ax.Z + Extended(p.Y) * ay.Z + Extended(p.Z) * n.Z)};
}

}  // namespace quorvex
