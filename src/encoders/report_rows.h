// The run report as the report window's table: one caption and one value a row, worded in the
// user's language.
#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include "kinematics/kinematics_analysis.h"
#include "report/run_report.h"

namespace gyrenda {

using ReportRows = QList<QPair<QString, QString>>;

// The rows of `r`: the linkage's class, whether the crank turns fully, the transmission
// angle (exact, and over the raster's poses), the exact kinematics of `exact` (dead centres,
// rocking angle, time ratios, exact slider stroke, peaks at its crank speed), then for the four-bar and (when analysed) the six-bar the poses found, their
// accuracy and the extents of the paths, and the six-bar's slider stroke. Lengths and angles
// to the hundredth, written as the parameter boxes write numbers.
ReportRows reportRows(const RunReport& r, const KinematicsAnalysis& exact);

// The first rows of those, the design's own figures: class, full turn, transmission angle and
// the exact kinematics, without what the raster's searches found.
ReportRows designRows(const RunReport& r, const KinematicsAnalysis& exact);

}  // namespace gyrenda
