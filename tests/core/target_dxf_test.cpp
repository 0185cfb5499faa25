// Targets traced in a DXF drawing: each kind of entity read, the first one (or the named
// layer's), blocks skipped, a drawing without a curve and a file that is not DXF refused; and
// targets spaced evenly along a traced curve.
#include <gtest/gtest.h>

#include <string>

#include "synthesis/target_dxf.h"

namespace gyrenda {
namespace {

// A drawing whose ENTITIES section holds `entities` (groups, a code and a value a line),
// after a BLOCKS section whose one block holds a LINE that is never read.
std::string drawing(const std::string& entities) {
  return "999\nmade by hand\n0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n8\n0\n2\nB\n70\n0\n10\n0\n20\n0\n"
         "0\nLINE\n8\nL\n10\n-50\n20\n-50\n11\n-60\n21\n-50\n0\nENDBLK\n0\nENDSEC\n"
         "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}
std::string line(const char* layer, Vec2 a, Vec2 b) {
  const auto n = [](double v) { return std::to_string(v); };
  return std::string("0\nLINE\n8\n") + layer + "\n10\n" + n(a.x) + "\n20\n" + n(a.y) + "\n11\n" +
         n(b.x) + "\n21\n" + n(b.y) + "\n";
}
std::string point(const char* layer, Vec2 p) {
  return std::string("0\nPOINT\n8\n") + layer + "\n10\n" + std::to_string(p.x) + "\n20\n" +
         std::to_string(p.y) + "\n";
}

TEST(TargetDxf, ReadsTheFirstCurveOfEachKind) {
  const std::string lwpolyline = "0\nLWPOLYLINE\n8\nP\n90\n4\n70\n1\n10\n0\n20\n0\n10\n10\n20\n0\n10\n10\n20\n5\n10\n0\n20\n5\n";
  const std::string polyline = "0\nPOLYLINE\n8\nQ\n66\n1\n70\n0\n10\n0\n20\n0\n0\nVERTEX\n8\nQ\n10\n1\n20\n2\n"
                               "0\nVERTEX\n8\nQ\n10\n3\n20\n4\n0\nVERTEX\n8\nQ\n10\n5\n20\n4\n0\nSEQEND\n8\nQ\n";
  const std::string spline = "0\nSPLINE\n8\nS\n70\n8\n71\n3\n72\n8\n73\n4\n74\n3\n"
                             "40\n0\n40\n0\n40\n0\n40\n0\n40\n1\n40\n1\n40\n1\n40\n1\n"
                             "10\n0\n20\n0\n10\n1\n20\n3\n10\n3\n20\n3\n10\n4\n20\n0\n"
                             "11\n0\n21\n0\n11\n2\n21\n2\n11\n4\n21\n0\n";
  const std::string controlOnly = "0\nSPLINE\n8\nS\n70\n9\n71\n1\n72\n0\n73\n3\n74\n0\n"
                                  "10\n0\n20\n0\n10\n1\n20\n3\n10\n3\n20\n3\n";
  const std::string onePoint = "0\nLWPOLYLINE\n8\nP\n90\n1\n70\n0\n10\n7\n20\n7\n";
  const std::string square = line("A", {0, 0}, {10, 0}) + line("B", {10, 0}, {20, 0}) +
                             line("A", {10, 10}, {10, 0}) + line("A", {0, 10}, {0, 0}) +
                             line("A", {30, 30}, {40, 40}) + line("A", {10, 10}, {0, 10});
  const struct {
    std::string entities, layer, kind;
    std::vector<Vec2> points;
    bool closed;
  } rows[] = {
      {lwpolyline + square, "", "POLYLINE", {{0, 0}, {10, 0}, {10, 5}, {0, 5}}, true},
      {polyline + lwpolyline, "", "POLYLINE", {{1, 2}, {3, 4}, {5, 4}}, false},
      {onePoint + square, "", "LINE", {{0, 10}, {0, 0}, {10, 0}, {10, 10}}, true},
      {line("A", {0, 0}, {1, 0}) + line("A", {2, 0}, {1, 0}), "", "LINE", {{0, 0}, {1, 0}, {2, 0}}, false},
      {point("T", {1, 1}) + point("U", {9, 9}) + line("T", {0, 0}, {1, 0}) + point("t", {2, 3}),
       "", "POINT", {{1, 1}, {2, 3}}, false},
      {spline + lwpolyline, "", "SPLINE", {{0, 0}, {2, 2}, {4, 0}}, false},
      {controlOnly, "", "SPLINE", {{0, 0}, {1, 3}, {3, 3}}, true},
      {lwpolyline + point("Far", {1, 2}) + point("far", {3, 4}), "FAR", "POINT", {{1, 2}, {3, 4}}, false},
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
      {drawing("0\nCIRCLE\n8\n0\n10\n0\n20\n0\n40\n5\n"), "", DxfTraceProblem::NoCurve},
      {drawing(""), "", DxfTraceProblem::NoCurve},  // the block's LINE is not the drawing's
      {drawing(line("A", {0, 0}, {1, 0})), "B", DxfTraceProblem::NoCurve},
      {"x,y\n0,0\n1,2\n", "", DxfTraceProblem::NotDxf},
      {"", "", DxfTraceProblem::NotDxf},
      {"0\nSECTIONS\n", "", DxfTraceProblem::NotDxf},
      {"AutoCAD Binary DXF\r\n\x1a", "", DxfTraceProblem::NotDxf},
      {drawing("0\nLWPOLYLINE\n8\nP\n90\n3000000\n10\n0\n20\n0\n"), "", DxfTraceProblem::NotDxf},
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
      {open, 2, {{0, 0}, {10, 10}}},
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
