// Everything the exact kinematics says about one design at one crank speed: what the report
// window's plots, the run report and gyrenda-cli --kinematics show.
#pragma once

#include "kinematics/design_figures.h"
#include "kinematics/exact_linkage.h"
#include "kinematics/kinematic_curves.h"
#include "linkage/parameters.h"

namespace gyrenda {

struct KinematicsAnalysis {
  ExactLinkage linkage;
  KinematicCurves curves;
  DesignFigures figures;
  // The samples where each loop closes: fewer than all where the design cannot be assembled,
  // its crank does not turn fully, or its slider is out of the link's reach.
  int fourBarSamples = 0, sixBarSamples = 0;
};

KinematicsAnalysis analyseKinematics(const ParameterSet& parameters, double rpm,
                                     double step = 0.5);

}  // namespace gyrenda
