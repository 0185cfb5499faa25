#include "kinematics/mechanism_extent.h"

#include <cmath>

namespace gyrenda {
namespace {

void includePoint(std::optional<Extent>& e, Vec2 p) {
  if (isFinite(p)) include(e, p.x, p.y);
}

}  // namespace

Extent mechanismExtent(const ExactLinkage& l, bool withSixBar) {
  std::optional<Extent> e;
  includePoint(e, {0.0, 0.0});
  includePoint(e, {l.fixedLink, 0.0});
  const double crank = std::abs(l.crank), lever = std::abs(l.lever);
  includePoint(e, {-crank, -crank});
  includePoint(e, {crank, crank});
  includePoint(e, {l.fixedLink - lever, 0.0});
  includePoint(e, {l.fixedLink + lever, lever});
  if (withSixBar) {
    includePoint(e, l.slideStart);
    includePoint(e, l.slideStart + l.slideDirection * l.slideLength);
  }
  for (int step = 0; step < 720; ++step) {
    const ExactPose pose = exactPose(l, step * 0.5, 0.0);
    if (pose.fourBar) includePoint(e, pose.fourBar->output);
    if (withSixBar && pose.sixBar) includePoint(e, pose.sixBar->output);
  }
  return *e;
}

}  // namespace gyrenda
