// Target points as people write them: one point a line, x and y separated by a comma, a
// semicolon, a tab or blanks, as a spreadsheet copies them or a CSV file holds them, or a
// number before them that counts the points 1, 2, 3, … (then on every line), or a crank angle
// after them; numbers read as the data file reads them, what a Japanese input method types for
// them read as ASCII. Blank lines are skipped, and so is a header: a first line that is not a
// point and contains a letter. Any other line that is not a point is a point that could not be
// read.
//
// Three numbers a line are read one of two ways. Where the first number of every line counts
// the lines 1, 2, 3, … they are "number, x, y", as lists written before timing read; otherwise
// they are "x, y, angle": the crank angle in degrees at which the output point must pass the
// target, counted from the first target's (only differences count: the first may be 0, any
// angle, or left out, as "x, y" or "x, y," on the first line alone). A list with angles whose x
// values happen to run 1, 2, 3, … is therefore read as counted; starting it from another
// target avoids that. The number of columns is the first line's where
// it has three, otherwise the second line's; every line after the first has that many.
#pragma once

#include <string_view>
#include <vector>

#include "kinematics/vec2.h"

namespace gyrenda {

struct TargetList {
  std::vector<Vec2> points;  // empty where a line is bad
  // With a column of angles: each point's crank angle in degrees less the first's (the first
  // 0); empty without.
  std::vector<double> timing;
  int badLine = 0;           // the first line (from 1) that is neither a point nor a header
};

TargetList readTargetList(std::string_view text);

}  // namespace gyrenda
