// The hit tables that a run keeps beside the output path, and the vector drawing that the SVG
// and DXF exports encode: the construction from the parameters, the loci from those tables.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

#include "canvas/construction.h"
#include "canvas/locus.h"
#include "files/drawing.h"
#include "files/dxf_drawing.h"
#include "kinematics/exact_linkage.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using L = DrawingLayer;
using test::posesIn;

// The drawing's DXF as pairs of group code and value: every handle (code 5, or 105 for a
// DIMSTYLE) is a hexadecimal number given once, every reference to an owner or another object
// names one, and every layer is shown (its flags 0: neither frozen nor locked).
void expectDxfReferencesResolve(const Drawing& d) {
  std::istringstream in(dxfBytes(d));
  std::map<std::string, int> handles;
  std::vector<std::string> references;
  std::string entity;
  for (std::string code, value; std::getline(in, code) && std::getline(in, value);) {
    const int c = std::stoi(code);
    if (c == 0) entity = value;
    if (c == 5 || c == 105) ++handles[value];
    if (c >= 330 && c <= 369) references.push_back(value);
    EXPECT_TRUE(c != 70 || entity != "LAYER" || value == "0") << "layer flags " << value;
  }
  for (const auto& [handle, times] : handles)
    EXPECT_TRUE(times == 1 && handle.find_first_not_of("0123456789ABCDEF") == std::string::npos)
        << "handle " << handle << " given " << times << " times";
  for (const auto& r : references) EXPECT_TRUE(handles.contains(r)) << "reference " << r;
  EXPECT_GT(handles.size(), 40u);
}

// Replaying the kept hits in crank order, as the search plots them, draws exactly the run's
// loci. Each kept pose lies on the branch the exact kinematics follow (that it closes its loop
// is held over random designs in raster_properties_test): each found
// lever tip and slider lies within 3 units (8 pixels at zoom 3) of the exact one, while the
// other branch lies tens of units away; the output points within 6, or 3 times the output
// offset over the coupler, as the offsets magnify the links' error. Each layer's polylines,
// read back in order, give the run's points of that locus in crank order, each point in the
// quadrant colour of its crank angle; a polyline after the first begins at the last vertex of
// the one before, in another colour.
TEST(RunHits, ReplayDrawsTheRunsLociPosesCloseAndTheDrawingHoldsTheLociInCrankOrder) {
  const struct {
    const char* name;
    int speed;  // item of the speed list: 0 うま, 1 いぬ, 2 かめ
    bool six, sixFound;
    std::vector<std::pair<int, const char*>> boxes;
    float stopAt = -1;  // crank angle of a 停止 during the four-bar phase
  } cases[] = {
      {"defaults at いぬ with the six-bar", 1, true, true, {}},
      {"かめ, offsets across both couplers", 2, true, true,
       {{outputOffsetX, "40"}, {outputOffsetY, "-25"}, {sixOutputOffsetY, "-20"}}},
      {"うま, four-bar only", 0, false, false, {{outputOffsetX, "10"}, {outputOffsetY, "15"}}},
      {"stopped at 100°", 2, true, true, {}, 100},
      {"slide out of reach", 1, true, false, {{slideStartX, "300"}, {slideEndX, "320"}}},
      {"output far out of view, not clipped", 1, false, false, {{outputOffsetX, "400"}}},
      {"fixed link 52", 2, true, true, {{fixedLinkLength, "52"}}},
      {"slider-crank", 2, true, true,
       {{outputOffsetX, "0"}, {sixLinkLength, "30"}, {slideStartX, "5"}, {slideStartY, "0"},
        {slideEndY, "0"}}},
      {"both sliders on the slide, the smaller link direction first", 2, true, true,
       {{slideStartX, "-50"}}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::OpenWindow w;
    Workbench& bench = w.bench;
    bench.selectSpeed(c.speed);
    bench.controls().analyseSixBar = c.six ? 1 : 0;
    for (auto [k, text] : c.boxes) test::leaveBox(bench, k, text);
    w.platform.onYield = [&] { if (bench.loopCrankAngle() == c.stopAt) bench.stop(); };
    bench.execute();
    const RunResult& f = bench.result();
    const RunHits& h = f.hits;
    const Linkage& linkage = bench.linkage();
    const ExactLinkage exact = makeExactLinkage(linkage.parameters);
    const double offset = std::hypot(linkage[outputOffsetX], linkage[outputOffsetY]);

    // Each search scans at least the crank steps where it finds a pose; the six-bar only
    // those where the four-bar found one.
    const int found = posesIn(f.outputX), sixFound = posesIn(h.sliderX);
    EXPECT_EQ(std::tuple(found > 0, sixFound > 0, h.sixBarSearched),
              std::tuple(true, c.sixFound, c.six));
    EXPECT_LE(found, h.fourBarExamined);
    EXPECT_LE(sixFound, h.sixBarExamined);
    EXPECT_LE(h.sixBarExamined, found);
    for (int i = 0; i < kAngleSteps; ++i) {
      const ExactPose e = exactPose(exact, i / 2.0, 60);
      const FourBarPose four = e.fourBar.value_or(FourBarPose{});
      const SixBarPose six = e.sixBar.value_or(SixBarPose{});
      const std::tuple<const AngleTable&, const AngleTable&, bool, Vec2, double> kept[] = {
          {h.leverTipX, h.leverTipY, e.fourBar.has_value(), four.leverTip, 3},
          {f.outputX, f.outputY, e.fourBar.has_value(), four.output,
           std::max(6.0, 3 * offset / linkage[couplerLength])},
          {h.sliderX, h.sliderY, e.sixBar.has_value(), six.slider, 3},
          {h.sixOutputX, h.sixOutputY, e.sixBar.has_value(), six.output, 6}};
      for (const auto& [x, y, exists, at, d] : kept)
        EXPECT_TRUE(x[i] == kNoPose || (exists && (Vec2{x[i], y[i]} - at).norm() < d)) << i;
    }

    const Drawing d = buildDrawing(linkage, bench.view(), f);
    expectDxfReferencesResolve(d);
    const std::tuple<L, const AngleTable&, const AngleTable&> loci[] = {
        {L::Path4Axis, h.axisX, h.axisY}, {L::Path4Output, f.outputX, f.outputY},
        {L::Path6Axis, h.sixAxisX, h.sixAxisY}, {L::Path6Output, h.sixOutputX, h.sixOutputY}};
    for (const auto& [layer, xs, ys] : loci) {
      SCOPED_TRACE(layerName(layer));
      std::vector<std::pair<WorldPoint, Colour>> run, drawn;
      for (int i = 0; i < kAngleSteps; ++i)
        if (xs[i] != kNoPose) run.push_back({{xs[i], ys[i]}, quadrantColour(i / 2.0f)});
      for (const DrawingItem& item : d.items) {
        if (item.layer != layer) continue;
        const auto& v = std::get<Polyline>(item.shape).vertices;
        const std::size_t first = drawn.empty() ? 0 : 1;
        if (first) {
          EXPECT_EQ(v.at(0), drawn.back().first);
          EXPECT_NE(item.colour, drawn.back().second);
        }
        for (std::size_t k = first; k < v.size(); ++k) drawn.push_back({v[k], item.colour});
      }
      EXPECT_EQ(drawn, run);
    }

    Raster replayed;  // each locus drawn from its axis to its output point, the six-bar's last
    drawConstruction(linkage, bench.view(), replayed);
    for (const int axis : {0, 2}) {
      if (axis == 2) drawSlideLine(linkage, replayed);
      const auto& [axisLayer, ax, ay] = loci[axis];
      const auto& [outputLayer, ox, oy] = loci[axis + 1];
      LocusPen pen;
      for (int i = 0; i < kAngleSteps; ++i)
        if (ax[i] != kNoPose) pen.drawTo(replayed, {ax[i], ay[i]}, {ox[i], oy[i]}, quadrantColour(i / 2.0f));
    }
    EXPECT_TRUE(test::samePixels(replayed, bench.canvas()));

    w.platform.onPause = [&] { bench.stop(); };
    bench.animate(Direction::Forwards);
    EXPECT_EQ(std::tuple(posesIn(h.axisX), posesIn(h.leverTipY), posesIn(h.sliderX),
                         h.fourBarExamined, h.sixBarExamined, h.sixBarSearched),
              std::tuple(0, 0, 0, 0, 0, false))
        << "an animation keeps no hits of the analysis before";
  }
}

TEST(Drawing, TheConstructionComesFromTheParametersAndTheViewFromZoomAndPan) {
  test::OpenWindow w;
  for (auto [k, text] : {std::pair(crankRadius, "12"), {leverRadius, "40"}, {fixedLinkLength, "30"},
                         {slideStartX, "10"}, {slideStartY, "60"}, {slideEndX, "140"},
                         {slideEndY, "-70"}})
    test::leaveBox(w.bench, k, text);
  RunResult none;  // a run that found nothing
  clearRunTables(none);
  const Drawing d = buildDrawing(w.bench.linkage(), View{2, -70, 20}, none);
  const std::vector<DrawingItem> construction{
      {L::Crank, 7, Circle{{0, 0}, 12}}, {L::Crank, 7, Pivot{{0, 0}}},
      {L::Lever, 2, Arc{{30, 0}, 40, 0, 180}}, {L::Lever, 7, Pivot{{30, 0}}},
      {L::Lever, 7, Segment{{30, -5}, {30, 5}}}, {L::Slide, 4, Segment{{10, 60}, {140, -70}}}};
  EXPECT_EQ(d.items, construction);
  EXPECT_EQ(d.view, (Bounds{-70, -140, 130, -20}));
}

// Every shape widens the view to what it covers, an arc by its ends and the quarter points
// it passes; a vertex that is not finite widens nothing.
TEST(Drawing, TheExtentHoldsTheViewAndEveryShape) {
  const std::pair<Shape, Bounds> cases[] = {
      {Circle{{5, 5}, 1}, {0, 0, 6, 6}}, {Arc{{0, 0}, 10, 0, 180}, {-10, 0, 10, 10}},
      {Arc{{0, 0}, 10, 270, 90}, {0, -10, 10, 10}},
      {Arc{{0, 0}, 10, 100, 170}, {-9.848f, 0, 1, 9.848f}},
      {Arc{{0, 0}, 10, 80, 100}, {-1.736f, 0, 1.736f, 10}},
      {Arc{{20, 0}, 10, 180, 360}, {0, -10, 30, 1}}, {Segment{{-3, 2}, {4, -5}}, {-3, -5, 4, 2}},
      {Pivot{{-2, 9}}, {-2, 0, 1, 9}}, {Polyline{{{0.5, 0.5}, {3, -1}, {-1, 2}}}, {-1, -1, 3, 2}},
      {Polyline{{{-INFINITY, 2}, {3, INFINITY}, {NAN, 0.5f}}}, {0, 0, 1, 1}}};  // not points
  for (const auto& [shape, want] : cases) {
    const Bounds b = extent({{{L::Crank, 7, shape}}, {0, 0, 1, 1}});
    for (auto [got, expected] : {std::pair(b.left, want.left), {b.bottom, want.bottom},
                                 {b.right, want.right}, {b.top, want.top}})
      EXPECT_NEAR(got, expected, 1e-3f);
  }
}

}  // namespace
}  // namespace gyrenda
