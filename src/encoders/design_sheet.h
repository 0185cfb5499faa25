// The design sheet: one PDF file that holds a design's drawing, figures and plots, for the
// bench beside the build. Page 1 the construction and paths at a stated scale with the thirteen
// values and the design's figures, page 2 the kinematics plots, page 3 (when asked) the
// tolerance analysis. Text is text and drawings are vectors; the words are those of the
// translation installed (Japanese without one).
#pragma once

#include <optional>
#include <string>

#include "files/drawing.h"
#include "kinematics/kinematics_analysis.h"
#include "report/run_report.h"
#include "tolerance/tolerance_analysis.h"

namespace gyrenda {

struct SheetContent {
  RunReport report;                // of the analysis that drew the paths; names the design
  Drawing drawing;                 // its construction and paths
  KinematicsAnalysis kinematics;   // at the crank speed of the plots
  std::optional<ToleranceResult> tolerance;  // page 3, at these options
  ToleranceOptions toleranceOptions;
};

// The standard scales a drawing is put at: 1:1, else the first reduction that fits.
inline constexpr int kSheetScales[] = {1,   2,   5,    10,   20,   50,    100,   200,
                                       500, 1000, 2000, 5000, 10000, 20000, 50000, 100000};

// n of the scale 1:n at which the items of `drawing` fit a frame of `width` × `height` mm:
// 1 where they fit at full size (or there is nothing to draw), else the first of kSheetScales
// that fits, the last where none does.
int sheetScale(const Drawing& drawing, double width, double height);

// The sheet as PDF bytes on A4 portrait; none where it could not be made.
std::optional<std::string> designSheetPdf(const SheetContent& content);

}  // namespace gyrenda
