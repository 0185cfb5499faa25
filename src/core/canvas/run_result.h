// What a run leaves behind: the result and frame tables, what each hit of an analysis found,
// which searches ran and whether 停止 ended them.
#pragma once

#include <cstdint>
#include <optional>

#include "linkage/angle_table.h"

namespace gyrenda {

// What the last analysis found at each hit, beside the output path: the points the loci are
// drawn through and the found poses, kNoPose where nothing was found. The exports and the run
// report read them; nothing here is drawn, searched or saved.
struct RunHits {
  AngleTable axisX{}, axisY{}, leverTipX{}, leverTipY{};          // four-bar
  AngleTable sixAxisX{}, sixAxisY{}, sixOutputX{}, sixOutputY{};  // six-bar loci
  AngleTable sliderX{}, sliderY{};                                // six-bar poses
  std::int32_t fourBarExamined = 0, sixBarExamined = 0;  // crank steps that were scanned
  bool sixBarSearched = false;
  bool fourBarStopped = false, sixBarStopped = false;  // 停止 ended the search early
};

struct RunResult {
  // The four-bar output path, which the data file saves and the six-bar search starts from.
  AngleTable outputX{}, outputY{};
  // The animation's frames: the four-bar lever tip, and the six-bar axis point and offset.
  AngleTable leverTipX{}, leverTipY{};
  AngleTable sixAxisX{}, sixAxisY{}, sixOffsetX{}, sixOffsetY{};
  RunHits hits;
};

// Every table back to kNoPose and the hits to none, as at the start of every run.
void clearRunTables(RunResult& r);

}  // namespace gyrenda
