#include "kinematics/kinematics_analysis.h"

#include <algorithm>

namespace gyrenda {

KinematicsAnalysis analyseKinematics(const ParameterSet& parameters, double rpm, double step) {
  KinematicsAnalysis a;
  a.linkage = makeExactLinkage(parameters);
  a.curves = kinematicCurves(a.linkage, rpm, step);
  a.figures = designFigures(a.linkage, a.curves);
  const auto& s = a.curves.samples;
  a.fourBarSamples = static_cast<int>(std::ranges::count_if(s, [](const ExactPose& p) { return p.fourBar.has_value(); }));
  a.sixBarSamples = static_cast<int>(std::ranges::count_if(s, [](const ExactPose& p) { return p.sixBar.has_value(); }));
  return a;
}

}  // namespace gyrenda
