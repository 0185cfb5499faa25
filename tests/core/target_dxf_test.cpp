// Targets traced in a DXF drawing: each kind of entity read, the first one (or the named
// layer's), blocks skipped, a drawing without a curve and a file that is not DXF refused; and
// targets spaced evenly along a traced curve.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "synthesis/target_dxf.h"

namespace gyrenda {
namespace {

// Groups written a code and a value apart by blanks, as a DXF file holds them a line each.
std::string groups(std::string spaced) {
  std::ranges::replace(spaced, ' ', '\n');
  return spaced + "\n";
}
// A drawing whose ENTITIES section holds `entities`, after a BLOCKS section whose one block
// holds a LINE that is never read.
std::string drawing(const std::string& entities) {
  return groups("999 hand-made 0 SECTION 2 BLOCKS 0 BLOCK 8 0 2 B 70 0 10 0 20 0 0 LINE 8 L 10 -50 "
                "20 -50 11 -60 21 -50 0 ENDBLK 0 ENDSEC 0 SECTION 2 ENTITIES") +
         entities + groups("0 ENDSEC 0 EOF");
}

TEST(TargetDxf, ReadsTheFirstCurveOfEachKind) {
  const std::string lwpolyline = groups("0 LWPOLYLINE 8 P 90 4 70 1 10 0 20 0 10 10 20 0 10 10 20 5 10 0 20 5");
  const std::string polyline = groups("0 POLYLINE 8 Q 66 1 70 0 10 0 20 0 0 VERTEX 8 Q 10 1 20 2 0 VERTEX 8 Q "
                                      "10 3 20 4 0 VERTEX 8 Q 10 5 20 4 0 SEQEND 8 Q");
  const std::string spline = groups("0 SPLINE 8 S 70 8 71 3 72 8 73 4 74 3 40 0 40 0 40 0 40 0 40 1 40 1 40 1 "
                                    "40 1 10 0 20 0 10 1 20 3 10 3 20 3 10 4 20 0 11 0 21 0 11 2 21 2 11 4 21 0");
  const std::string controlOnly = groups("0 SPLINE 8 S 70 9 71 1 72 0 73 3 74 0 10 0 20 0 10 1 20 3 10 3 20 3");
  const std::string onePoint = groups("0 LWPOLYLINE 8 P 90 1 70 0 10 7 20 7");
  // Lines on layer A out of order and either way round, one of layer B and one apart.
  const std::string square = groups("0 LINE 8 A 10 0 20 0 11 10 21 0 0 LINE 8 B 10 10 20 0 11 20 21 0 "
                                    "0 LINE 8 A 10 10 20 10 11 10 21 0 0 LINE 8 A 10 0 20 10 11 0 21 0 "
                                    "0 LINE 8 A 10 30 20 30 11 40 21 40 0 LINE 8 A 10 10 20 10 11 0 21 10");
  const std::string points = groups("0 POINT 8 T 10 1 20 1 0 POINT 8 U 10 9 20 9 0 LINE 8 T 10 0 20 0 11 1 21 0 "
                                    "0 POINT 8 t 10 2 20 3");
  const struct {
    std::string entities, layer, kind;
    std::vector<Vec2> points;
    bool closed;
  } rows[] = {
      {lwpolyline + square, "", "POLYLINE", {{0, 0}, {10, 0}, {10, 5}, {0, 5}}, true},
      {polyline + lwpolyline, "", "POLYLINE", {{1, 2}, {3, 4}, {5, 4}}, false},
      {onePoint + square, "", "LINE", {{0, 10}, {0, 0}, {10, 0}, {10, 10}}, true},
      {groups("0 LINE 8 A 10 0 20 0 11 1 21 0 0 LINE 8 A 10 2 20 0 11 1 21 0"), "", "LINE", {{0, 0}, {1, 0}, {2, 0}}, false},
      {points, "", "POINT", {{1, 1}, {2, 3}}, false},
      {spline + lwpolyline, "", "SPLINE", {{0, 0}, {2, 2}, {4, 0}}, false},
      {controlOnly, "", "SPLINE", {{0, 0}, {1, 3}, {3, 3}}, true},
      {lwpolyline + points, "u", "POINT", {{9, 9}}, false},
  };
  for (const auto& row : rows) {
    const DxfTrace trace = readDxfTrace(drawing(row.entities), row.layer);
    EXPECT_EQ(std::tie(trace.problem, trace.entity, trace.curve.points, trace.curve.closed),
              std::make_tuple(DxfTraceProblem::None, row.kind, row.points, row.closed))
        << row.entities;
  }
}

TEST(TargetDxf, RefusesADrawingWithoutACurveAndWhatIsNotDxf) {
  const struct {
    std::string bytes, layer;
    DxfTraceProblem problem;
  } rows[] = {
      {drawing(groups("0 CIRCLE 8 0 10 0 20 0 40 5")), "", DxfTraceProblem::NoCurve},
      {drawing(""), "", DxfTraceProblem::NoCurve},  // the block's LINE is not the drawing's
      {drawing(groups("0 LINE 8 A 10 0 20 0 11 1 21 0")), "B", DxfTraceProblem::NoCurve},
      {"x,y\n0,0\n1,2\n", "", DxfTraceProblem::NotDxf},
      {"0\nSECTIONS\n", "", DxfTraceProblem::NotDxf},
      {"AutoCAD Binary DXF\r\n\x1a", "", DxfTraceProblem::NotDxf},
      {drawing(groups("0 LWPOLYLINE 8 P 90 3000000 10 0 20 0")), "", DxfTraceProblem::NotDxf},
  };
  for (const auto& row : rows)
    EXPECT_EQ(readDxfTrace(row.bytes, row.layer).problem, row.problem) << row.bytes;
}

TEST(TracedCurve, SamplesSpacedEvenlyAlongItsLength) {
  const TracedCurve open{{{0, 0}, {10, 0}, {10, 10}}, false};
  const TracedCurve closed{{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true};
  const struct {
    TracedCurve curve;
    int count;
    std::vector<Vec2> samples;
  } rows[] = {
      {open, 5, {{0, 0}, {5, 0}, {10, 0}, {10, 5}, {10, 10}}},
      {closed, 8, {{0, 0}, {5, 0}, {10, 0}, {10, 5}, {10, 10}, {5, 10}, {0, 10}, {0, 5}}},
      {closed, 3, {{0, 0}, {10, 10.0 / 3}, {10.0 / 3, 10}}},
  };
  for (const auto& row : rows) {
    const std::vector<Vec2> samples = sampleAlong(row.curve, row.count);
    ASSERT_EQ(samples.size(), row.samples.size());
    for (std::size_t k = 0; k < samples.size(); ++k)
      EXPECT_LT((samples[k] - row.samples[k]).norm(), 1e-12) << row.count << " " << k;
  }
}

}  // namespace
}  // namespace gyrenda
