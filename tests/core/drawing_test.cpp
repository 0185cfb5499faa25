// The vector drawing that the SVG and DXF exports encode: the construction from the parameters,
// and every locus from the run's own points, split and joined where the quadrant colour changes.
#include <gtest/gtest.h>

#include "app/commands.h"
#include "canvas/locus.h"
#include "files/drawing.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using L = DrawingLayer;

TEST(Drawing, TheConstructionComesFromTheParametersAndTheViewFromZoomAndPan) {
  test::OpenWindow w;
  for (auto [k, text] : {std::pair(crankRadius, "12"), {leverRadius, "40"}, {fixedLinkLength, "30"},
                         {slideStartX, "10"}, {slideStartY, "60"}, {slideEndX, "140"},
                         {slideEndY, "-70"}})
    test::leaveBox(w.form, k, text);
  w.form.zoomLevel = 2;
  std::tie(w.form.HScroll1, w.form.VScroll1) = std::pair(-70, 20);
  mXmYcls(w.form);  // a run that found nothing
  const Drawing d = buildDrawing(w.form);
  const std::vector<DrawingItem> construction{
      {L::Crank, 7, Circle{{0, 0}, 12}}, {L::Crank, 7, Pivot{{0, 0}}},
      {L::Lever, 2, Arc{{30, 0}, 40, 0, 180}}, {L::Lever, 7, Pivot{{30, 0}}},
      {L::Lever, 7, Segment{{30, -5}, {30, 5}}}, {L::Slide, 4, Segment{{10, 60}, {140, -70}}}};
  EXPECT_EQ(d.items, construction);
  EXPECT_EQ(d.view, (Bounds{-70, -140, 130, -20}));
  EXPECT_EQ(extent(d), (Bounds{-70, -140, 140, 60}));
}

// Every shape widens the view to what it covers, an arc by its ends and the quarter points
// it passes.
TEST(Drawing, TheExtentHoldsTheViewAndEveryShape) {
  const std::pair<Shape, Bounds> cases[] = {
      {Circle{{5, 5}, 1}, {0, 0, 6, 6}}, {Arc{{0, 0}, 10, 0, 180}, {-10, 0, 10, 10}},
      {Arc{{0, 0}, 10, 270, 90}, {0, -10, 10, 10}},
      {Arc{{0, 0}, 10, 100, 170}, {-9.848f, 0, 1, 9.848f}},
      {Arc{{0, 0}, 10, 80, 100}, {-1.736f, 0, 1.736f, 10}},
      {Arc{{20, 0}, 10, 180, 360}, {0, -10, 30, 1}}, {Segment{{-3, 2}, {4, -5}}, {-3, -5, 4, 2}},
      {Pivot{{-2, 9}}, {-2, 0, 1, 9}}, {Polyline{{{0.5, 0.5}, {3, -1}, {-1, 2}}}, {-1, -1, 3, 2}}};
  for (const auto& [shape, bounds] : cases) {
    Drawing d{{{L::Crank, 7, shape}}, {0, 0, 1, 1}};
    const Bounds b = extent(d);
    EXPECT_NEAR(b.left, bounds.left, 1e-3f);
    EXPECT_NEAR(b.bottom, bounds.bottom, 1e-3f);
    EXPECT_NEAR(b.right, bounds.right, 1e-3f);
    EXPECT_NEAR(b.top, bounds.top, 1e-3f);
  }
}

struct LocusCase {
  const char* name;
  int speed;  // 0 うま, 1 いぬ, 2 かめ
  bool six;
  std::vector<std::pair<int, const char*>> boxes;
  float stopAt = -1;  // crank angle of a 停止 during the four-bar phase
  bool sixFound = true, offView = false;
};

// Each layer's polylines, read back in order, give the run's points of that locus in crank
// order: each polyline after the first begins at the last vertex of the one before and has
// another colour, and every point it adds has the quadrant colour of its crank angle.
TEST(Drawing, EachLocusIsTheRunsPointsInCrankOrderSplitWhereTheQuadrantColourChanges) {
  const std::vector<LocusCase> cases{
      {"defaults at いぬ with the six-bar", 1, true, {}},
      {"かめ, offsets across both couplers", 2, true,
       {{outputOffsetX, "40"}, {outputOffsetY, "-25"}, {sixOutputOffsetY, "-20"}}},
      {"うま, four-bar only", 0, false, {{outputOffsetY, "15"}}, -1, false},
      {"stopped at 100°", 1, true, {}, 100},
      {"slide out of reach", 1, true, {{slideStartX, "300"}, {slideEndX, "320"}}, -1, false},
      {"output far out of view", 1, false, {{outputOffsetX, "400"}}, -1, false, true}};
  for (const LocusCase& c : cases) {
    SCOPED_TRACE(c.name);
    test::OpenWindow w;
    Form& f = w.form;
    selectSpeed(f, c.speed);
    f.Check3 = c.six ? 1 : 0;
    for (auto [k, text] : c.boxes) test::leaveBox(f, k, text);
    w.platform.onYield = [&f, &c] { if (f.crankAngle == c.stopAt) Command6_Click(f); };
    Command1_Click(f);
    const Drawing d = buildDrawing(f);
    const Bounds b = extent(d);
    const std::tuple<L, const AngleTable*, const AngleTable*> loci[] = {
        {L::Path4Axis, &f.hits.axisX, &f.hits.axisY}, {L::Path4Output, &f.outputX, &f.outputY},
        {L::Path6Axis, &f.hits.sixAxisX, &f.hits.sixAxisY},
        {L::Path6Output, &f.hits.sixOutputX, &f.hits.sixOutputY}};
    for (const auto& [layer, xs, ys] : loci) {
      SCOPED_TRACE(layerName(layer));
      std::vector<int> hits;
      for (int i = 0; i < kAngleSteps; ++i)
        if ((*xs)[i] != kNoPose) hits.push_back(i);
      EXPECT_EQ(hits.empty(), layer >= L::Path6Axis && !(c.six && c.sixFound));
      std::size_t next = 0;
      const DrawingItem* before = nullptr;
      for (const DrawingItem& item : d.items) {
        if (item.layer != layer) continue;
        const auto& v = std::get<Polyline>(item.shape).vertices;
        ASSERT_FALSE(v.empty());
        if (before) {
          EXPECT_EQ(v.front(), std::get<Polyline>(before->shape).vertices.back());
          EXPECT_NE(item.colour, before->colour);
        }
        for (std::size_t k = before ? 1 : 0; k < v.size(); ++k, ++next) {
          ASSERT_LT(next, hits.size());
          const int i = hits[next];
          EXPECT_EQ(v[k], (WorldPoint{(*xs)[i], (*ys)[i]})) << "crank step " << i;
          EXPECT_EQ(item.colour, quadrantColour(static_cast<float>(i) / 2)) << "crank step " << i;
          EXPECT_TRUE(b.left <= v[k].x && v[k].x <= b.right && b.bottom <= v[k].y &&
                      v[k].y <= b.top);
        }
        before = &item;
      }
      EXPECT_EQ(next, hits.size());
    }
    EXPECT_EQ(b.right > d.view.right + 100, c.offView);
  }
}

}  // namespace
}  // namespace gyrenda
