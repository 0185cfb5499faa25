#include "kinematics/joint_handles.h"

#include <cmath>

#include "linkage/linkage.h"

namespace gyrenda {
namespace {

double rounded(double v, double resolution) {
  return resolution > 0 ? std::round(v / resolution) * resolution : v;
}

float toParameter(double v, double resolution) {
  return static_cast<float>(rounded(v, resolution));
}

// The offsets of `point` along and across the unit direction `u` from `origin`.
Vec2 offsetsIn(Vec2 point, Vec2 origin, Vec2 u) {
  const Vec2 d = point - origin;
  return {d.dot(u), d.dot(u.left())};
}

Vec2 unitOf(Vec2 v) { return v * (1.0 / v.norm()); }

DragProblem lengthProblem(const ParameterSet& p) {
  for (int k : {crankRadius, leverRadius, couplerLength, fixedLinkLength, sixLinkLength})
    if (!(p[k] > 0.0f && p[k] <= kParamLimit)) return DragProblem::NotPositive;
  if (p[crankRadius] > p[leverRadius]) return DragProblem::CrankLongerThanLever;
  const FixedLinkRange bounds = fixedLinkBounds(p);
  if (!(p[fixedLinkLength] > bounds.lower && p[fixedLinkLength] < bounds.upper))
    return DragProblem::FixedLinkOutOfRange;
  return DragProblem::None;
}

}  // namespace

HandlePlaces handlePlaces(const ExactLinkage& l, double crankAngle, bool withSixBar) {
  HandlePlaces at;
  at[static_cast<int>(Handle::LeverPivot)] = Vec2{l.fixedLink, 0.0};
  const double theta = crankAngle * 3.14159265358979323846 / 180.0;
  at[static_cast<int>(Handle::CrankTip)] = Vec2{std::cos(theta), std::sin(theta)} * l.crank;
  const auto pose = exactPose(l, crankAngle, 0.0);
  if (pose.fourBar) {
    at[static_cast<int>(Handle::LeverTip)] = pose.fourBar->leverTip;
    at[static_cast<int>(Handle::FourBarOutput)] = pose.fourBar->output;
  }
  if (!withSixBar) return at;
  if (pose.sixBar) at[static_cast<int>(Handle::SixBarOutput)] = pose.sixBar->output;
  at[static_cast<int>(Handle::SlideStart)] = l.slideStart;
  at[static_cast<int>(Handle::SlideEnd)] = l.slideStart + l.slideDirection * l.slideLength;
  return at;
}

ParameterSet movedDesign(Handle handle, Vec2 point, const ParameterSet& design, double crankAngle,
                         double resolution) {
  ParameterSet p = design;
  const ExactLinkage l = makeExactLinkage(design);
  const auto pose = exactPose(l, crankAngle, 0.0);
  const auto set = [&](int k, double v) { p[k] = toParameter(v, resolution); };
  // An output point's two offsets (parameters k and k + 1), along and across its link from
  // `from` towards `to`.
  const auto setOffsets = [&](int k, Vec2 from, Vec2 to) {
    const Vec2 o = offsetsIn(point, from, unitOf(to - from));
    set(k, o.x);
    set(k + 1, o.y);
  };
  switch (handle) {
    case Handle::LeverPivot: set(fixedLinkLength, point.x); break;
    case Handle::CrankTip: set(crankRadius, point.norm()); break;
    case Handle::LeverTip: set(leverRadius, (point - Vec2{l.fixedLink, 0.0}).norm()); break;
    case Handle::FourBarOutput:
      if (pose.fourBar)
        setOffsets(outputOffsetX, pose.fourBar->crankTip, pose.fourBar->leverTip);
      break;
    case Handle::SixBarOutput:
      if (pose.sixBar && pose.fourBar)
        setOffsets(sixOutputOffsetX, pose.fourBar->output, pose.sixBar->slider);
      break;
    case Handle::SlideStart:
      set(slideStartX, point.x);
      set(slideStartY, point.y);
      break;
    case Handle::SlideEnd:
      set(slideEndX, point.x);
      set(slideEndY, point.y);
      break;
    case Handle::Count: break;
  }
  for (float& v : p)
    if (!std::isfinite(v)) v = 0.0f;
  return p;
}

DragPreview dragPreview(const ParameterSet& design, double crankAngle, bool withSixBar) {
  DragPreview preview;
  const ExactLinkage l = makeExactLinkage(design);
  preview.joints = handlePlaces(l, crankAngle, withSixBar);
  preview.problem = lengthProblem(design);
  constexpr int kSteps = 720;
  preview.fourBarPath.reserve(kSteps + 1);
  if (withSixBar) preview.sixBarPath.reserve(kSteps + 1);
  bool fourBarOpen = false, sixBarOpen = false;
  for (int step = 0; step <= kSteps; ++step) {
    const ExactPose pose = exactPose(l, step * 0.5, 0.0);
    fourBarOpen |= !pose.fourBar;
    preview.fourBarPath.push_back(pose.fourBar ? std::optional(pose.fourBar->output) : std::nullopt);
    if (!withSixBar) continue;
    sixBarOpen |= !pose.sixBar;
    preview.sixBarPath.push_back(pose.sixBar ? std::optional(pose.sixBar->output) : std::nullopt);
  }
  if (preview.problem == DragProblem::None && fourBarOpen) preview.problem = DragProblem::FourBarOpen;
  if (preview.problem == DragProblem::None && sixBarOpen) preview.problem = DragProblem::SixBarOpen;
  return preview;
}

}  // namespace gyrenda
