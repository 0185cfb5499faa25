// Target points as people write them: one point a line, x and y separated by a comma, a
// semicolon, a tab or blanks, as a spreadsheet copies them or a CSV file holds them, or a
// number before them that counts the points 1, 2, 3, … (then on every line); numbers read as
// the data file reads them, what a Japanese input method types for them read as ASCII. Blank
// lines are skipped, and so is a header: a first line that is not a point and contains a
// letter. Any other line that is not a point is a point that could not be read.
#pragma once

#include <string_view>
#include <vector>

#include "kinematics/vec2.h"

namespace gyrenda {

struct TargetList {
  std::vector<Vec2> points;  // empty where a line is bad
  int badLine = 0;           // the first line (from 1) that is neither a point nor a header
};

TargetList readTargetList(std::string_view text);

}  // namespace gyrenda
