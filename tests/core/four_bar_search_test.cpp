#include <gtest/gtest.h>

#include <cmath>

#include "app/commands.h"
#include "canvas/four_bar_search.h"
#include "canvas/raster_search.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using test::OpenWindow;

struct Hit {
  float crank, scan;
  WorldPoint leverTip{};
  bool operator==(const Hit& o) const { return crank == o.crank && scan == o.scan; }
};

// Runs KaisekiA and collects its hits: a hit stores the output point of its crank step, which
// the next yield (or the return) sees with the hit's scan angle and probe. `atYield` may act.
std::vector<Hit> searchHits(OpenWindow& w, const std::function<void()>& atYield = [] {}) {
  Form& f = w.form;
  std::vector<Hit> hits;
  float crank = -1;
  const auto look = [&] {
    if (crank >= 0 && f.outputX[angleIndex(crank)] != kNoPose)
      hits.push_back({crank, f.scanAngle, {f.probeX, f.probeY}});
    crank = f.crankAngle;
    atYield();
  };
  w.platform.onYield = look;
  mXmYcls(f);
  KaisekiA(f);
  look();
  w.platform.onYield = nullptr;
  return hits;
}

// Every crank step finds the marker: the crank angles of the hits are the examined ones.
TEST(FourBarSearch, ExaminedCrankAnglesFollowTheSpeedAndNeverSkipTo360) {
  const struct {
    int speed; float switchAt; int switchTo; std::vector<float> head, tail; std::size_t count;
  } cases[] = {
      {1, -1, 0, {0, 1.5f, 3, 4.5f}, {355.5f, 357, 358.5f, 360}, 241},
      {0, -1, 0, {0, 5.5f, 11}, {352, 357.5f, 358, 358.5f, 359, 359.5f, 360}, 71},
      {2, -1, 0, {0, 0.5f, 1}, {359, 359.5f, 360}, 721},
      {2, 359.5f, 1, {0, 0.5f}, {359, 359.5f, 360}, 721},
      {2, 359, 1, {0, 0.5f}, {358.5f, 359, 359.5f, 360}, 721},
      {2, 354, 0, {0, 0.5f}, {353.5f, 354, 359.5f, 360}, 711},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << kSpeedItems[c.speed] << " switched at " << c.switchAt);
    OpenWindow w;
    Form& f = w.form;
    f.Check2 = 0;  // the full window keeps the probes off the loci drawn over the marker
    f.canvas.setView(-100, -120, 300, 120);
    f.canvas.clear(kFourBarMarker);
    selectSpeed(f, c.speed);
    const auto hits = searchHits(w, [&] {
      if (f.crankAngle == c.switchAt) selectSpeed(f, c.switchTo);
    });
    std::vector<float> seen;
    for (const Hit& h : hits) seen.push_back(h.crank);
    ASSERT_EQ(seen.size(), c.count);
    EXPECT_EQ(std::vector<float>(seen.begin(), seen.begin() + c.head.size()), c.head);
    EXPECT_EQ(std::vector<float>(seen.end() - c.tail.size(), seen.end()), c.tail);
    EXPECT_EQ(kAngleSteps - std::count(f.outputX.begin(), f.outputX.end(), kNoPose), hits.size());
    EXPECT_EQ(f.Label5, "終了");
  }
}

TEST(FourBarSearch, ScanAngleWrapsIntoOneTurn) {
  const struct { float scan; int index; } cases[] = {
      {-1.5f, 717}, {361, 2},     {0, 0},       {360, 720},       {-361, 718},
      {720, 720},   {1000, 560},  {-1000, 160}, {-725.5f, 709},   {1080, 0}};
  for (const auto& c : cases) EXPECT_EQ(scanIndex(c.scan), c.index) << c.scan;
}

// An optimised window that widened past a whole turn still reads valid table entries.
TEST(RasterSearch, WindowBeyondOneTurnIsReducedModulo360) {
  test::HandMadeSixBar h;
  h.form.Check4 = 1;
  h.drive(0);
  h.drive(360);  // no pose in between: the window after the hit at 0 widens by 360
  h.paint(0);
  h.paint(350);
  rasterSearch(h.form, {SearchedLink::SixBarLink, HitAdvance::SixBarFrames, +[](Form&) {}});
  EXPECT_EQ(h.form.scanAngle, -370.0f);  // the first candidate, read as 350°
}

// Marker pixels at the probes of (crank, coupler) pairs, on a black canvas magnified so that
// neighbouring candidates land on different pixels. A crank step takes its first candidate on
// the marker. Markers at crank 90 are met with Δ = 90, the scan running from −90 upwards. A hit
// at coupler 200 and crank 0 leaves the optimised window 180 … 220 at crank 10 (Δ = 10), one at
// −60 and crank 90 the window −80 … −40 at crank 100.
TEST(FourBarSearch, FirstCandidateInTheWindowWins) {
  const struct {  // markers: (crank, coupler); centre and pixels per unit of the view
    CheckState optimise; std::vector<std::pair<float, float>> markers; WorldPoint centre;
    double perUnit; Hit hit; bool found;
  } cases[] = {
      {1, {{0, 100}, {0, 60}}, {24, 33}, 20, {0, 60}, true},
      {1, {{90, 1}, {90, 358.5f}}, {36, 18}, 20, {90, -1.5f}, true},
      {1, {{90, 330}, {90, 300}}, {24, -6.6f}, 20, {90, -60}, true},
      {1, {{90, 300}, {100, 320}}, {24, -6.6f}, 20, {100, -40}, true},
      {1, {{90, 300}, {100, 320.5f}}, {24, -6.6f}, 20, {100, -39.5f}, false},
      {1, {{0, 200}, {10, 180}}, {-14, -8.3f}, 15, {10, 180}, true},
      {1, {{0, 200}, {10, 179.5f}}, {-14, -8.3f}, 15, {10, 179.5f}, false},
      {1, {{0, 200}, {10, 220}}, {-14, -8.3f}, 15, {10, 220}, true},
      {1, {{0, 200}, {10, 220.5f}}, {-14, -8.3f}, 15, {10, 220.5f}, false},
      {0, {{0, 200}, {10, 179.5f}}, {-14, -8.3f}, 15, {10, 179.5f}, true},
  };
  for (const auto& c : cases) {
    OpenWindow w;
    Form& f = w.form;
    f.Check2 = c.optimise;
    const double halfW = Raster::kWidth / c.perUnit / 2, halfH = Raster::kHeight / c.perUnit / 2;
    f.canvas.setView(c.centre.x - halfW, -c.centre.y - halfH, c.centre.x + halfW,
                     -c.centre.y + halfH);
    f.canvas.clear();
    for (const auto& [crank, coupler] : c.markers) {
      const int i = angleIndex(crank), j = scanIndex(coupler);
      f.canvas.pset(f.crankTipX[i] + f.couplerX[j], -(f.crankTipY[i] + f.couplerY[j]), 2);
    }
    const auto hits = searchHits(w);
    EXPECT_EQ(std::count(hits.begin(), hits.end(), c.hit), c.found)
        << c.hit.crank << " " << c.hit.scan << " optimise " << c.optimise;
  }
}

TEST(FourBarSearch, StopAtAChosenStepEndsTheSearchThere) {
  OpenWindow w;
  Form& f = w.form;
  float pressedAt = -1;
  const auto hits = searchHits(w, [&] {
    if (pressedAt >= 0 || f.crankAngle < 100) return;
    pressedAt = f.crankAngle;
    Command6_Click(f);
  });
  EXPECT_EQ(f.crankAngle, pressedAt);  // left at the step that saw the request
  EXPECT_EQ(f.stopRequested, 0);
  EXPECT_EQ(f.Label5, "終了");
  ASSERT_FALSE(hits.empty());
  EXPECT_EQ(hits.front().crank, 0);
  EXPECT_LT(hits.back().crank, pressedAt);
}

// Every pose found closes the loop: the lever tip is a coupler length from the crank tip and
// lies on the lever's upper half-circle within the two pixels a probe may be off.
TEST(FourBarSearch, EveryPoseFoundClosesTheLinkage) {
  const struct { const char *crank, *lever, *coupler, *fixed; int zoom, pan; } designs[] = {
      {"18", "36", "36", "31", 3, -140}, {"10", "30", "40", "35", 3, -140},
      {"5", "20", "25", "20", 2, -80},   {"12", "24", "30", "25", 2, -80}};
  for (const auto& d : designs)
    for (CheckState optimise : {1, 0}) {
      SCOPED_TRACE(testing::Message() << d.crank << "/" << d.lever << "/" << d.coupler << "/"
                                      << d.fixed << " optimise " << optimise);
      OpenWindow w;
      Form& f = w.form;
      f.zoomLevel = static_cast<std::int16_t>(d.zoom);
      f.VScroll1 = d.pan;
      f.Check2 = optimise;
      for (const auto& [k, text] : {std::pair{leverRadius, d.lever}, {couplerLength, d.coupler},
                                    {crankRadius, d.crank}, {fixedLinkLength, d.fixed}})
        test::leaveBox(f, k, text);
      ASSERT_EQ(f.parameterText[fixedLinkLength], d.fixed) << "an admissible design";
      selectSpeed(f, 2);
      const auto hits = searchHits(w);
      EXPECT_EQ(hits.size(), static_cast<std::size_t>(kAngleSteps)) << "かめ misses no angle";
      const float lever = f.param(leverRadius), coupler = f.param(couplerLength);
      const CanvasPoint p0 = f.canvas.pixelCentre({0, 0}), p1 = f.canvas.pixelCentre({1, 1});
      const double pixel = 2 * std::max(p1.x - p0.x, p1.y - p0.y);
      for (const Hit& h : hits) {
        const int i = angleIndex(h.crank);
        const WorldPoint c{f.crankTipX[i], f.crankTipY[i]}, e = h.leverTip;
        EXPECT_NEAR(std::hypot(e.x - c.x, e.y - c.y), coupler, coupler * 1e-5) << h.crank;
        EXPECT_NEAR(std::hypot(e.x - f.param(fixedLinkLength), e.y), lever, pixel) << h.crank;
        EXPECT_GT(e.y, -pixel) << h.crank;
        EXPECT_NEAR(f.outputX[i], c.x + (e.x - c.x) * 72 / coupler, 1e-3) << h.crank;
      }
    }
}

}  // namespace
}  // namespace gyrenda
