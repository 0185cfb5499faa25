// The six-bar raster search: its window rule, its stop handling, what it draws, and the
// poses it finds measured against the geometry of the link and the slide line.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/commands.h"
#include "canvas/locus.h"
#include "sixbar/six_bar_search.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using test::HandMadeSixBar;
using test::OpenWindow;
using test::PenHit;
using test::PenHitLog;

constexpr int kKame = 2;  // speed list item "かめ": every half degree is examined

float distance(WorldPoint a, WorldPoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Distance from p to the segment from a to b.
float distanceToSegment(WorldPoint p, WorldPoint a, WorldPoint b) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  float t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy);
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  return distance(p, {a.x + t * dx, a.y + t * dy});
}

// World units per pixel of the canvas at the form's zoom level.
float pixelSize(const Form& f) { return f.zoomLevel * 100.0f / Raster::kWidth; }

WorldPoint slideStart(const Form& f) { return {f.param(slideStartX), f.param(slideStartY)}; }
WorldPoint slideEnd(const Form& f) { return {f.param(slideEndX), f.param(slideEndY)}; }

WorldPoint drivingPoint(const Form& f, float crank) {
  const int i = angleIndex(crank);
  return {f.outputX[i], f.outputY[i]};
}

// Runs one analysis with the six-bar ticked and collects the hits of its six-bar phase.
std::vector<PenHit> sixBarHitsOfAnalysis(OpenWindow& w) {
  Form& f = w.form;
  f.Check3 = 1;
  PenHitLog log;
  w.platform.onYield = [&] {
    if (f.fourBarPhase == 0) log.observe(f);
  };
  Command1_Click(f);
  log.observe(f);
  return log.hits;
}

TEST(SixBarSearch, RoundedLastHitShiftsTheNextWindow) {
  // Every candidate is painted, so each step is hit at its first candidate, scanFrom − Δ.
  // The first examined step (Δ = its crank angle) is hit at −firstStep and, optimising,
  // sets the window to that ± 10; the next step is then hit at −firstStep − 10 − Δ.
  struct Case {
    float firstStep, nextStep, delta;
  };
  for (const Case c : {Case{12.5f, 13.0f, 1.0f}, Case{13.5f, 14.0f, 0.0f}, Case{13.0f, 13.5f, 0.5f}}) {
    SCOPED_TRACE(testing::Message() << "hit at " << c.firstStep << ", next step " << c.nextStep);
    HandMadeSixBar w;
    selectSpeed(w.form, kKame);
    w.form.Check4 = 1;
    w.drive(c.firstStep);
    w.drive(c.nextStep);
    w.paintEveryCandidate();

    kaisekiA2(w.form);

    EXPECT_FLOAT_EQ(w.form.scanAngle, -c.firstStep - 10.0f - c.delta);
    EXPECT_FLOAT_EQ(w.form.scanFrom, w.form.scanAngle - 10.0f);
    EXPECT_FLOAT_EQ(w.form.scanTo, w.form.scanAngle + 10.0f);
  }
}

TEST(SixBarSearch, SkipsEveryStepAfterAFourBarSearchStoppedAt100) {
  OpenWindow w;
  Form& f = w.form;
  f.Check3 = 1;
  selectSpeed(f, kKame);
  std::vector<float> sixBarSteps;
  Raster canvasAt100;
  float scanAngleAt100 = 0;
  int scansAbove100 = 0;
  w.platform.onYield = [&] {
    if (f.fourBarPhase != 0) {
      if (f.crankAngle >= 100.0f) Command6_Click(f);
      return;
    }
    sixBarSteps.push_back(f.crankAngle);
    if (f.crankAngle == 100.0f) {
      canvasAt100 = f.canvas;
      scanAngleAt100 = f.scanAngle;
    } else if (f.crankAngle > 100.0f && f.scanAngle != scanAngleAt100) {
      ++scansAbove100;
    }
  };
  Command1_Click(f);

  EXPECT_EQ(f.outputX[angleIndex(100)], kNoPose);
  ASSERT_NE(f.outputX[angleIndex(99.5f)], kNoPose);
  ASSERT_FALSE(sixBarSteps.empty());
  EXPECT_EQ(sixBarSteps.back(), 360.0f);
  EXPECT_EQ(sixBarSteps.size(), 721u);
  EXPECT_EQ(scansAbove100, 0);
  // Nothing is drawn after 100°, although the search went on to 360.
  EXPECT_TRUE(test::samePixels(f.canvas, canvasAt100));
}

TEST(SixBarSearch, StopProtocolInAnAnalysisRun) {
  struct Case {
    const char* behaviour;
    float sixBarStopAt;  // below 0: no stop in the six-bar phase
    float lastSixBarStep;
  };
  const Case cases[] = {
      {"a stop in the four-bar phase leaves the six-bar search running to 360", -1, 360},
      {"a second stop ends the six-bar search", 20, 20},
      {"a stop is honoured at a step without a four-bar pose", 200, 200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.behaviour);
    OpenWindow w;
    Form& f = w.form;
    f.Check3 = 1;
    selectSpeed(f, kKame);
    std::vector<float> sixBarSteps;
    w.platform.onYield = [&] {
      if (f.fourBarPhase != 0) {
        if (f.crankAngle == 50.0f) Command6_Click(f);
        return;
      }
      sixBarSteps.push_back(f.crankAngle);
      if (f.crankAngle == c.sixBarStopAt) Command6_Click(f);
    };
    Command1_Click(f);

    ASSERT_FALSE(sixBarSteps.empty());
    EXPECT_EQ(sixBarSteps.front(), 0.0f);
    EXPECT_EQ(sixBarSteps.back(), c.lastSixBarStep);
    EXPECT_EQ(f.stopRequested, 0);
    EXPECT_EQ(f.Label5, "終了");
  }
}

TEST(SixBarSearch, FindsPosesOnTheSlideLineOneLinkLengthFromTheDrivingPoint) {
  struct Case {
    const char* behaviour;
    const char* along;
    const char* across;
  };
  const Case cases[] = {
      {"both offsets 0", "0", "0"},
      {"offset along the link equal to its length", "50", "0"},
      {"default offsets", "100", "30"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.behaviour);
    OpenWindow w;
    Form& f = w.form;
    test::leaveBox(f, sixOutputOffsetX, c.along);
    test::leaveBox(f, sixOutputOffsetY, c.across);
    const auto hits = sixBarHitsOfAnalysis(w);
    ASSERT_GT(hits.size(), 20u);
    const float link = f.param(sixLinkLength);
    for (const PenHit& h : hits) {
      SCOPED_TRACE(testing::Message() << "crank angle " << h.crankAngle);
      EXPECT_LE(distanceToSegment(h.probe, slideStart(f), slideEnd(f)), 1.5f * pixelSize(f));
      EXPECT_NEAR(distance(h.probe, drivingPoint(f, h.crankAngle)), link, 1e-3f);
    }
  }
}

TEST(SixBarSearch, OutputPointsFollowTheOffsets) {
  struct Case {
    const char* behaviour;
    const char* along;
    const char* across;
    // Checks one pose: driving point P, slider S, axis point A, output point R.
    void (*check)(const Form&, WorldPoint p, WorldPoint s, WorldPoint a, WorldPoint r);
  };
  const Case cases[] = {
      {"offsets 0 put both points on the four-bar output point", "0", "0",
       [](const Form&, WorldPoint p, WorldPoint, WorldPoint a, WorldPoint r) {
         EXPECT_EQ(a, p);
         EXPECT_EQ(r, p);
       }},
      {"offset along = link length puts both points on the slider", "50", "0",
       [](const Form& f, WorldPoint, WorldPoint s, WorldPoint a, WorldPoint r) {
         EXPECT_NEAR(a.x, s.x, 1e-3f);
         EXPECT_NEAR(a.y, s.y, 1e-3f);
         EXPECT_EQ(r, a);
         EXPECT_LE(distanceToSegment(a, slideStart(f), slideEnd(f)), 1.5f * pixelSize(f));
       }},
      {"defaults: axis 50 beyond the slider, output 30 to its left", "100", "30",
       [](const Form&, WorldPoint p, WorldPoint s, WorldPoint a, WorldPoint r) {
         const float ux = (s.x - p.x) / 50, uy = (s.y - p.y) / 50;  // along the link
         EXPECT_NEAR(a.x, s.x + 50 * ux, 1e-3f);
         EXPECT_NEAR(a.y, s.y + 50 * uy, 1e-3f);
         // 30 at right angles, to the left of the direction from P to S.
         EXPECT_NEAR(r.x, a.x - 30 * uy, 1e-3f);
         EXPECT_NEAR(r.y, a.y + 30 * ux, 1e-3f);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.behaviour);
    OpenWindow w;
    Form& f = w.form;
    test::leaveBox(f, sixOutputOffsetX, c.along);
    test::leaveBox(f, sixOutputOffsetY, c.across);
    const auto hits = sixBarHitsOfAnalysis(w);
    ASSERT_GT(hits.size(), 20u);
    for (const PenHit& h : hits) {
      SCOPED_TRACE(testing::Message() << "crank angle " << h.crankAngle);
      c.check(f, drivingPoint(f, h.crankAngle), h.probe, h.axis, h.output);
    }
  }
}

TEST(SixBarSearch, LociDrawnOverTheSlideLineHideItFromLaterProbes) {
  // Two candidates painted, 30° and 60°, at two crank steps with the same driving point.
  // The first step takes 30°. When the loci run through the slider (axis point = slider),
  // they cover that pixel and the second step must go on to 60°.
  struct Case {
    const char* behaviour;
    const char* along;
    float secondHit;
  };
  const Case cases[] = {
      {"loci on the slider hide the first hit's pixel", "100", 60},
      {"loci elsewhere leave it to be found again", "0", 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.behaviour);
    HandMadeSixBar w(c.along);
    selectSpeed(w.form, kKame);
    w.form.Check4 = 0;
    w.drive(0);
    w.drive(0.5f);
    w.paint(30);
    w.paint(60);

    kaisekiA2(w.form);

    EXPECT_EQ(w.form.scanAngle, c.secondHit);
  }
}

TEST(SixBarSearch, LocusColourFollowsTheCrankQuadrant) {
  struct Case {
    float crank;
    Colour colour;
  };
  const Case cases[] = {{0, 11}, {89.5f, 11}, {90, 12}, {180, 13}, {270, 14}, {360, 15}};
  for (const Case c : cases) {
    SCOPED_TRACE(testing::Message() << "hit at " << c.crank);
    // Offsets 0: the first hit draws its two zero-length segments on the driving point.
    HandMadeSixBar w;
    w.drive(c.crank);
    w.paintEveryCandidate();

    kaisekiA2(w.form);

    const PixelPos p = test::worldPixel(w.form, HandMadeSixBar::kDriving.x, HandMadeSixBar::kDriving.y);
    EXPECT_EQ(w.form.canvas.at(p.x, p.y), c.colour);
  }
}

TEST(SixBarSearch, LeavesTheStatusLabelAlone) {
  for (void (*search)(Form&) : {&kaisekiA2, &Anime6_Kaiseki}) {
    HandMadeSixBar w;
    w.driveEverywhere();
    w.paintEveryCandidate();
    w.form.Label5 = "前の表示";
    search(w.form);
    EXPECT_EQ(w.form.Label5, "前の表示");
    EXPECT_GT(w.form.crankAngle, 360.0f);  // the search ran to its end
  }
}

}  // namespace
}  // namespace gyrenda
