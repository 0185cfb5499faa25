// The targets of a file the synthesis dialog imports: a list of points, with crank angles where
// it has them, or a DXF drawing's traced curve (by the name's .dxf or the file's first group),
// its points or a count of targets spaced evenly along it.
#pragma once

#include <QString>
#include <vector>

#include "kinematics/vec2.h"

namespace gyrenda {

struct ImportedTargets {
  std::vector<Vec2> points;
  std::vector<double> timing;  // each point's crank angle after the first's (degrees), or empty
  QString reason;              // why nothing was read; empty where the file was
  QString traced;              // for a drawing, what was read: the entity, its layer, closed
};

// `sample`: how many targets to space along a drawing's curve; 0 takes its points.
ImportedTargets importTargetFile(const QString& path, int sample);

}  // namespace gyrenda
