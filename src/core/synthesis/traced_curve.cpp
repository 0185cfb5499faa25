#include "synthesis/traced_curve.h"

#include <algorithm>

namespace gyrenda {

std::vector<Vec2> sampleAlong(const TracedCurve& curve, int count) {
  const std::vector<Vec2>& p = curve.points;
  if (p.size() < 2 || count < 2) return p;
  const std::size_t pieces = p.size() - (curve.closed ? 0 : 1);
  std::vector<double> along{0};  // the length from the first point to each piece's end
  for (std::size_t k = 0; k < pieces; ++k)
    along.push_back(along.back() + (p[(k + 1) % p.size()] - p[k]).norm());
  const double spacing = along.back() / (curve.closed ? count : count - 1);
  std::vector<Vec2> samples;
  std::size_t piece = 0;
  for (int i = 0; i < count; ++i) {
    const double s = std::min(spacing * i, along.back());
    while (piece + 1 < pieces && along[piece + 1] < s) ++piece;
    const double length = along[piece + 1] - along[piece];
    const double f = length > 0 ? std::clamp((s - along[piece]) / length, 0.0, 1.0) : 0;
    samples.push_back(p[piece] * (1 - f) + p[(piece + 1) % p.size()] * f);
  }
  return samples;
}

}  // namespace gyrenda
