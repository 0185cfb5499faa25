#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/commands.h"
#include "canvas/four_bar_search.h"
#include "canvas/grid.h"
#include "canvas/locus.h"
#include "canvas/raster_search.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using test::leaveBox;

struct Hit {
  float crank, scan, x, y;
};

// Records every hit of the search and the crank angle of every step (read at its yield).
struct SearchPlatform : test::FakePlatform {
  std::vector<Hit> hits;
  std::vector<float> examined;
};
using SearchWindow = test::OpenWindowWith<SearchPlatform>;

SearchPlatform& platformOf(Form& f) { return *static_cast<SearchPlatform*>(f.platform); }

void recordHit(Form& f) {
  platformOf(f).hits.push_back({f.crankAngle, f.scanAngle, f.probeX, f.probeY});
  Kiseki(f);
}

// The analysis search with every hit recorded on its way to Kiseki.
void recordingSearch(Form& f) {
  rasterSearch(f, {SearchedLink::Coupler, HitAdvance::SpeedStep, &recordHit});
}

void recordSteps(Form& f) {
  platformOf(f).onYield = [&f] { platformOf(f).examined.push_back(f.crankAngle); };
}

// A view of `pixelsPerUnit` pixels per unit centred on world point (x, y), so that nearby
// probes land on distinct pixels.
void magnify(Form& f, double x, double y, double pixelsPerUnit) {
  const double halfW = Raster::kWidth / pixelsPerUnit / 2;
  const double halfH = Raster::kHeight / pixelsPerUnit / 2;
  f.canvas.setView(x - halfW, -y - halfH, x + halfW, -y + halfH);
}

WorldPoint probeAt(const Form& f, float crank, float coupler) {
  const int i = angleIndex(crank), j = angleIndex(wrapScanAngle(coupler));
  return {f.crankTipX[i] + f.couplerX[j], f.crankTipY[i] + f.couplerY[j]};
}

void markProbe(Form& f, float crank, float coupler) {
  const WorldPoint p = probeAt(f, crank, coupler);
  f.canvas.pset(p.x, -p.y, kFourBarMarker);
}

std::vector<float> indicesWithPose(const Form& f) {
  std::vector<float> angles;
  for (int i = 0; i < kAngleSteps; ++i)
    if (f.outputX[i] != kNoPose) angles.push_back(i / 2.0f);
  return angles;
}

// A canvas that is marker everywhere in a view holding every probe: a hit at every step.
// The full scan window keeps the probes off the loci drawn over the marker.
void markerEverywhere(Form& f) {
  f.Check2 = 0;
  f.zoomLevel = 4;
  f.HScroll1 = -100;
  f.VScroll1 = -120;
  Masume(f, f.canvas);
  f.canvas.clear(kFourBarMarker);
  mXmYcls(f);
}

TEST(FourBarSearch, ExaminedCrankAnglesFollowTheSpeed) {
  struct Case {
    int speedItem;
    std::vector<float> head, tail;
    std::size_t count;
  };
  const Case cases[] = {
      {0, {0, 5.5f, 11, 16.5f}, {346.5f, 352, 357.5f, 358, 358.5f, 359, 359.5f, 360}, 71},
      {1, {0, 1.5f, 3, 4.5f}, {355.5f, 357, 358.5f, 360}, 241},
      {2, {0, 0.5f, 1, 1.5f}, {359, 359.5f, 360}, 721},
  };
  for (const Case& c : cases) {
    SearchWindow w;
    Form& f = w.form;
    markerEverywhere(f);
    selectSpeed(f, c.speedItem);
    recordSteps(f);
    KaisekiA(f);
    const auto& seen = w.platform.examined;
    ASSERT_EQ(seen.size(), c.count) << kSpeedItems[c.speedItem];
    EXPECT_EQ(std::vector<float>(seen.begin(), seen.begin() + c.head.size()), c.head);
    EXPECT_EQ(std::vector<float>(seen.end() - c.tail.size(), seen.end()), c.tail);
    EXPECT_EQ(indicesWithPose(f), seen) << "a hit at every examined angle and nowhere else";
    EXPECT_EQ(f.Label5, "終了");
  }
}

TEST(FourBarSearch, SpeedStepIsSkippedWhenItWouldReachTheEnd) {
  struct Case {
    float switchAt;
    int speedItem;  // selected at that step, before its hit
    std::vector<float> tail;
  };
  const Case cases[] = {
      {359.5f, 1, {359, 359.5f, 360}},
      {359, 1, {358.5f, 359, 359.5f, 360}},
      {358.5f, 1, {358, 358.5f, 360}},
      {354, 0, {353.5f, 354, 359.5f, 360}},
      {355, 0, {354.5f, 355, 355.5f, 356, 356.5f, 357, 357.5f, 358, 358.5f, 359, 359.5f, 360}},
  };
  for (const Case& c : cases) {
    SearchWindow w;
    Form& f = w.form;
    markerEverywhere(f);
    selectSpeed(f, 2);
    w.platform.onYield = [&] {
      w.platform.examined.push_back(f.crankAngle);
      if (f.crankAngle == c.switchAt) selectSpeed(f, c.speedItem);
    };
    KaisekiA(f);
    const auto& seen = w.platform.examined;
    const auto at = std::find(seen.begin(), seen.end(), c.tail.front());
    EXPECT_EQ(std::vector<float>(at, seen.end()), c.tail) << "switch at " << c.switchAt;
  }
}

TEST(FourBarSearch, ScanAngleWrapsIntoOneTurn) {
  struct Case {
    float scan, wrapped;
    int index;
  };
  const Case cases[] = {
      {-1.5f, 358.5f, 717}, {361, 1, 2},       {0, 0, 0},         {360, 360, 720},
      {-0.5f, 359.5f, 719}, {360.5f, 0.5f, 1}, {-360, 0, 0},      {720, 360, 720},
      {-361, 359, 718},     {721, 1, 2},       {1000, 280, 560},  {-1000, 80, 160},
      {1.0e6f, 280, 560},   {-725.5f, 354.5f, 709},
  };
  for (const Case& c : cases) {
    const float b = wrapScanAngle(c.scan);
    EXPECT_EQ(b, c.wrapped) << c.scan;
    EXPECT_EQ(angleIndex(b), c.index) << c.scan;
  }
}

TEST(FourBarSearch, FirstCandidateOnTheMarkerWins) {
  struct Marker {
    float crank, coupler;
  };
  struct Case {
    std::vector<Marker> markers;
    WorldPoint centre;
    float hitCrank, hitScan;  // the unwrapped scan angle of the winner
  };
  // Markers at crank 90 are met with Δ = 90: the scan runs from −90 (270°) upwards. They lie
  // where the crank tip and the coupler end move in different directions, so that no probe of
  // an earlier crank step lands on their pixels.
  const Case cases[] = {
      {{{0, 100}, {0, 60}}, {24, 33}, 0, 60},
      {{{0, 60}, {0, 60.5f}}, {36, 31}, 0, 60},
      {{{90, 1}, {90, 358.5f}}, {36, 18}, 90, -1.5f},
      {{{90, 0.5f}, {90, 359}}, {36, 18}, 90, -1},
      {{{90, 1.5f}, {90, 2}}, {36, 18}, 90, 1.5f},
      {{{90, 330}, {90, 300}}, {24, -6.6f}, 90, -60},
      {{{90, 300}, {90, 300.5f}}, {24, -6.6f}, 90, -60},
  };
  for (const Case& c : cases) {
    SearchWindow w;
    Form& f = w.form;
    f.canvas.clear();
    magnify(f, c.centre.x, c.centre.y, 20);
    for (const Marker& m : c.markers) markProbe(f, m.crank, m.coupler);
    mXmYcls(f);
    recordingSearch(f);
    ASSERT_FALSE(w.platform.hits.empty());
    const Hit& first = w.platform.hits.front();
    EXPECT_EQ(first.crank, c.hitCrank);
    EXPECT_EQ(first.scan, c.hitScan);
    const WorldPoint p = probeAt(f, c.hitCrank, c.hitScan);
    EXPECT_EQ(first.x, p.x);
    EXPECT_EQ(first.y, p.y);
  }
}

TEST(FourBarSearch, OptimisedWindowFollowsTheLastHitAndWidens) {
  // A hit at crank 0, coupler 200; at crank 10 (Δ = 10) the optimised window is 180 … 220.
  struct Case {
    bool optimise;
    float couplerAtTen;  // a second marker, at crank 10
    bool hitAtTen;
  };
  const Case cases[] = {
      {true, 180, true},      {true, 179.5f, false}, {true, 220, true},
      {true, 220.5f, false},  {false, 179.5f, true}, {false, 220.5f, true},
  };
  for (const Case& c : cases) {
    SearchWindow w;
    Form& f = w.form;
    f.Check2 = c.optimise ? 1 : 0;
    f.canvas.clear();
    magnify(f, -14, -8.3, 15);
    markProbe(f, 0, 200);
    markProbe(f, 10, c.couplerAtTen);
    mXmYcls(f);
    struct Step {
      float crank, previousScanStop, scanFrom, scanTo;
    };
    std::vector<Step> steps;
    w.platform.onYield = [&] {
      steps.push_back({f.crankAngle, f.scanAngle, f.scanFrom, f.scanTo});
    };
    recordingSearch(f);
    const auto& hits = w.platform.hits;
    const bool hitAtTen = std::any_of(hits.begin(), hits.end(), [&](const Hit& h) {
      return h.crank == 10 && h.scan == c.couplerAtTen;
    });
    EXPECT_EQ(hitAtTen, c.hitAtTen) << c.optimise << " " << c.couplerAtTen;
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(hits.front().crank, 0.0f);
    EXPECT_EQ(hits.front().scan, 200.0f);
    if (!c.optimise || c.hitAtTen) continue;
    ASSERT_GE(hits.size() < 2 ? 360.0f : hits[1].crank, 10.5f) << "no other hit up to crank 10";
    // Each step without a hit kept the window 190 … 210 and scanned up to 210 + Δ, Δ being
    // the crank advance since the hit.
    ASSERT_EQ(steps[1].crank, 1.5f);
    for (std::size_t k = 1; steps[k].crank <= 10.0f; ++k) {
      EXPECT_EQ(steps[k + 1].scanFrom, 190.0f);
      EXPECT_EQ(steps[k + 1].scanTo, 210.0f);
      EXPECT_EQ(steps[k + 1].previousScanStop, 210.0f + steps[k].crank + 0.5f) << steps[k].crank;
    }
  }
}

TEST(FourBarSearch, StopAtAChosenStepEndsTheSearchThere) {
  for (float stopAt : {0.0f, 100.0f, 250.5f}) {
    SearchWindow w;
    Form& f = w.form;
    mXmYcls(f);
    float pressedAt = -1;
    w.platform.onYield = [&] {
      w.platform.examined.push_back(f.crankAngle);
      if (pressedAt < 0 && f.crankAngle >= stopAt) {
        pressedAt = f.crankAngle;
        Command6_Click(f);
      }
    };
    KaisekiA(f);
    EXPECT_EQ(w.platform.examined.back(), pressedAt) << stopAt;
    EXPECT_EQ(f.stopRequested, 0);
    EXPECT_EQ(f.Label5, "終了");
    for (int i = angleIndex(pressedAt); i < kAngleSteps; ++i)
      ASSERT_EQ(f.outputX[i], kNoPose) << "nothing found from the stop on, index " << i;
    if (stopAt > 0) {
      EXPECT_NE(f.outputX[0], kNoPose);
    }
  }
}

struct Design {
  const char *crank, *lever, *coupler, *fixed;
  int zoom, pan;
};

// Types the design in, shows it at its zoom and pan, and resets the tables for a search.
void prepare(Form& f, const Design& d, int speedItem) {
  f.zoomLevel = static_cast<std::int16_t>(d.zoom);
  f.VScroll1 = d.pan;
  leaveBox(f, leverRadius, d.lever);
  leaveBox(f, couplerLength, d.coupler);
  leaveBox(f, crankRadius, d.crank);
  leaveBox(f, fixedLinkLength, d.fixed);
  selectSpeed(f, speedItem);
  BackScreen(f);
  mXmYcls(f);
}

// Every pose found closes the loop: the lever tip is the crank tip plus the coupler vector
// of the scan angle, and lies on the lever circle within a pixel.
TEST(FourBarSearch, EveryPoseFoundClosesTheLinkage) {
  const Design designs[] = {
      {"18", "36", "36", "31", 3, -140}, {"10", "30", "40", "35", 3, -140},
      {"15", "40", "45", "50", 4, -140}, {"5", "20", "25", "20", 2, -80},
      {"20", "50", "60", "70", 4, -140}, {"12", "24", "30", "25", 2, -80},
      {"18", "36", "36", "45", 3, -140},
  };
  for (const Design& d : designs) {
    for (int speed : {1, 2}) {
      SearchWindow w;
      Form& f = w.form;
      prepare(f, d, speed);
      ASSERT_EQ(f.parameterText[fixedLinkLength], d.fixed) << "an admissible design";
      recordingSearch(f);

      const float lever = f.param(leverRadius), coupler = f.param(couplerLength);
      const float pivot = f.param(fixedLinkLength);
      // The marker run lies within about a pixel of the circle, and a probe may sit anywhere
      // in a marker pixel: two pixel widths bound the distance.
      const CanvasPoint a = f.canvas.pixelCentre({0, 0}), b = f.canvas.pixelCentre({1, 1});
      const double pixel = 2 * std::max(b.x - a.x, b.y - a.y);
      const auto& hits = w.platform.hits;
      EXPECT_GT(hits.size(), speed == 2 ? 150u : 60u) << d.crank << "/" << d.lever;
      for (const Hit& h : hits) {
        const int i = angleIndex(h.crank), j = angleIndex(wrapScanAngle(h.scan));
        ASSERT_EQ(h.x, f.crankTipX[i] + f.couplerX[j]);
        ASSERT_EQ(h.y, f.crankTipY[i] + f.couplerY[j]);
        const float cx = f.crankTipX[i], cy = f.crankTipY[i];
        EXPECT_NEAR(std::hypot(h.x - cx, h.y - cy), coupler, coupler * 1e-5);
        EXPECT_NEAR(std::hypot(h.x - pivot, h.y), lever, pixel + 1e-3)
            << "crank " << h.crank << ", design " << d.crank << "/" << d.lever << "/" << d.coupler;
        EXPECT_GT(h.y, -pixel);
        // With the default offsets the output point is C + 2d.
        EXPECT_NEAR(f.outputX[i], f.crankTipX[i] + (h.x - f.crankTipX[i]) * 72 / coupler, 1e-3);
      }

      // The analysis proper finds the same poses.
      SearchWindow same;
      Form& g = same.form;
      prepare(g, d, speed);
      KaisekiA(g);
      EXPECT_EQ(g.outputX, f.outputX);
      EXPECT_EQ(g.outputY, f.outputY);
    }
  }
}

TEST(FourBarSearch, DefaultDesignAtTheSlowestSpeedMissesNoAngle) {
  for (CheckState optimise : {1, 0}) {
    SearchWindow w;
    Form& f = w.form;
    f.Check2 = optimise;
    selectSpeed(f, 2);
    BackScreen(f);
    mXmYcls(f);
    KaisekiA(f);
    std::vector<float> missing;
    for (int i = 0; i < kAngleSteps; ++i)
      if (f.outputX[i] == kNoPose || f.outputY[i] == kNoPose) missing.push_back(i / 2.0f);
    EXPECT_TRUE(missing.empty()) << "optimise " << optimise << ": " << missing.size()
                                 << " missing, first " << (missing.empty() ? 0 : missing.front());
  }
}

}  // namespace
}  // namespace gyrenda
