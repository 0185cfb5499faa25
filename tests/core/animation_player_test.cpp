// The animation player: playback order, drawing and wiping of poses, pauses, the markers it
// restores, and how its three loops honour stop and quit.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <vector>

#include "app/commands.h"
#include "canvas/four_bar_drawing.h"
#include "canvas/four_bar_search.h"
#include "canvas/locus.h"
#include "sixbar/animation.h"
#include "sixbar/slide.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using std::chrono::microseconds;
using test::OpenWindow;

enum Speed { kUma = 0, kInu = 1, kKame = 2 };

// The window with the four-bar frames of the default design (one per half degree), and a
// yield that acts at a chosen step. A yield far beyond any test's need ends every loop, so
// that a player that misses its stop fails the test instead of running for ever.
struct Player : OpenWindow {
  Player() {
    mXmYcls(form);
    Anime4_Kaiseki(form);
    platform.onYield = [this] {
      steps.push_back(form.crankAngle);
      if (atStep) atStep(static_cast<int>(steps.size()));
      if (steps.size() > kRunaway) {
        ADD_FAILURE() << "the loop did not end";
        form.quitRequested = true;
        form.stopRequested = -1;
      }
    };
  }
  // Presses 停止 at the n-th yield (counting from 1).
  void stopAt(int n) {
    atStep = [this, n](int step) {
      if (step == n) Command6_Click(form);
    };
  }
  static constexpr std::size_t kRunaway = 20000;
  std::vector<float> steps;  // crankAngle at each yield
  std::function<void(int)> atStep;
};

std::vector<float> expectedAngles(bool backwards, int count) {
  std::vector<float> angles;
  float a = backwards ? 360.0f : 0.0f;
  while (static_cast<int>(angles.size()) < count) {
    angles.push_back(a);
    a += backwards ? -0.5f : 0.5f;
    if (a < 0.0f || a > 360.0f) a = backwards ? 360.0f : 0.0f;
  }
  return angles;
}

TEST(AnimationPlayer, PlaysLapAfterLapInTheSelectedDirection) {
  struct Case {
    std::int16_t selector;
    bool backwards;
  };
  const Case cases[] = {{0, false}, {1, true}, {2, false}, {-1, false}, {9999, false}};
  for (const Case c : cases) {
    SCOPED_TRACE(testing::Message() << "selector " << c.selector);
    Player p;
    p.stopAt(723);  // one whole lap of 721 steps and two more
    Anime_Anime(p.form, c.selector);
    EXPECT_EQ(p.steps, expectedAngles(c.backwards, 723));
    EXPECT_EQ(p.form.stopRequested, 0);
  }
}

// The five lines of a four-bar frame and the two of a six-bar frame, drawn as the player
// must draw them, for building the expected canvas.
void drawFourBarFrame(const Form& f, Raster& r, int i, bool erase) {
  const WorldPoint c{f.crankTipX[i], f.crankTipY[i]}, l{f.leverTipX[i], f.leverTipY[i]};
  const float dx = l.x - c.x, dy = l.y - c.y;
  const WorldPoint a{c.x - f.outAlongFactor * dx, c.y - f.outAlongFactor * dy};
  const WorldPoint q{a.x - (-dy * f.outAcrossFactor), a.y - dx * f.outAcrossFactor};
  const auto line = [&](WorldPoint from, WorldPoint to, Colour colour) {
    r.line(from.x, -from.y, to.x, -to.y, erase ? kBlack : colour);
  };
  line({0, 0}, c, 10);
  line({f.param(fixedLinkLength), 0}, l, 7);
  line(c, l, 11);
  line(c, a, 12);
  line(a, q, 13);
}

void drawSixBarFrame(const Form& f, Raster& r, int i, bool erase) {
  const WorldPoint p{f.outputX[i], f.outputY[i]}, a{f.sixAxisX[i], f.sixAxisY[i]};
  const WorldPoint out{a.x - f.sixOffsetX[i], a.y - f.sixOffsetY[i]};
  r.line(p.x, -p.y, a.x, -a.y, erase ? kBlack : 14);
  r.line(a.x, -a.y, out.x, -out.y, erase ? kBlack : 15);
}

TEST(AnimationPlayer, DrawsEachFrameAndWipesTheOneBefore) {
  // Frames at 30° and 60° only, four-bar and six-bar, on a grey canvas. The output point
  // lies off the coupler line, so that each of the seven lines has a length.
  Player p;
  Form& f = p.form;
  test::leaveBox(f, outputOffsetY, "10");
  mXmYcls(f);
  Anime4_Kaiseki(f);
  p.steps.clear();
  const int first = angleIndex(30), second = angleIndex(60);
  for (int i = 0; i < kAngleSteps; ++i) {
    if (i == first || i == second) continue;
    f.leverTipX[i] = kNoPose;
  }
  for (int i : {first, second}) {
    f.sixAxisX[i] = f.outputX[i] + 40;
    f.sixAxisY[i] = f.outputY[i] - 25;
    f.sixOffsetX[i] = 12;
    f.sixOffsetY[i] = -9;
  }
  f.canvas.clear(8);

  Raster expected = f.canvas;
  drawFourBarFrame(f, expected, first, false);
  drawSixBarFrame(f, expected, first, false);
  const Raster afterFirst = expected;
  drawFourBarFrame(f, expected, second, false);
  drawFourBarFrame(f, expected, first, true);
  drawSixBarFrame(f, expected, second, false);
  drawSixBarFrame(f, expected, first, true);
  const Raster afterSecond = expected;

  struct Seen {
    float angle;
    Raster canvas;
    std::size_t pauses;
  };
  std::vector<Seen> seen;
  p.atStep = [&](int) {
    seen.push_back({f.crankAngle, f.canvas, p.platform.pauses.size()});
    if (f.crankAngle == 60.5f) Command6_Click(f);
  };
  Anime_Anime(f, 0);

  ASSERT_EQ(seen.size(), 122u);
  for (const Seen& s : seen) {
    SCOPED_TRACE(testing::Message() << "at the yield of " << s.angle);
    if (s.angle <= 30.0f) {
      EXPECT_EQ(test::countPixels(s.canvas, Colour{8}), Raster::kWidth * Raster::kHeight);
      EXPECT_EQ(s.pauses, 0u);
    } else if (s.angle <= 60.0f) {
      EXPECT_TRUE(test::samePixels(s.canvas, afterFirst));
      EXPECT_EQ(s.pauses, 2u);
      EXPECT_EQ(test::countPixels(s.canvas, kBlack), 0);
    } else {
      EXPECT_TRUE(test::samePixels(s.canvas, afterSecond));
      EXPECT_EQ(s.pauses, 4u);
      EXPECT_GT(test::countPixels(s.canvas, kBlack), 0);
    }
  }
  for (Colour c : {10, 7, 11, 12, 13, 14, 15}) EXPECT_GT(test::countPixels(afterSecond, c), 0) << int(c);
}

TEST(AnimationPlayer, PauseLengthsKeepTheRatioOfTheThreeSpeeds) {
  const auto uma = animationPause(5), inu = animationPause(1), kame = animationPause(0);
  EXPECT_GT(uma.count(), 0);
  EXPECT_EQ(inu, 441 * uma);
  EXPECT_EQ(kame, 676 * uma);
}

TEST(AnimationPlayer, SpeedChangeTakesEffectAtTheNextPause) {
  Player p;
  selectSpeed(p.form, kInu);
  std::vector<float> pauseAngles;
  p.platform.onPause = [&] { pauseAngles.push_back(p.form.crankAngle); };
  p.atStep = [&](int step) {
    if (step == 11) selectSpeed(p.form, kUma);
    if (step == 21) selectSpeed(p.form, kKame);
    if (step == 31) Command6_Click(p.form);
  };
  Anime_Anime(p.form, 0);

  ASSERT_EQ(p.platform.pauses.size(), 30u);  // one per step: only four-bar frames
  for (std::size_t k = 0; k < pauseAngles.size(); ++k) {
    const microseconds expected =
        animationPause(pauseAngles[k] < 5.0f ? 1.0f : (pauseAngles[k] < 10.0f ? 5.0f : 0.0f));
    EXPECT_EQ(p.platform.pauses[k], expected) << "at " << pauseAngles[k];
  }
}

// The three markers as the end of an animation draws them, on a black canvas.
Raster markersOnly() {
  OpenWindow w;
  w.form.canvas.clear();
  Teko(w.form);
  Kuranku(w.form);
  Teko2(w.form);
  return w.form.canvas;
}

TEST(AnimationPlayer, MarkersAreDrawnAgainAfterAStop) {
  Player p;
  Form& f = p.form;
  f.Check3 = 1;
  Raster beforeStop;
  // The two frame searches yield at most 721 times each; stop well into the playback.
  p.atStep = [&](int step) {
    if (step == 1500) {
      beforeStop = f.canvas;
      Command6_Click(f);
    }
  };
  AnimeButton_Click(f, 0);
  ASSERT_EQ(p.steps.size(), 1500u);

  const Raster markers = markersOnly();
  int marker = 0, wipedBeforeStop = 0, missing = 0;
  for (int y = 0; y < Raster::kHeight; ++y)
    for (int x = 0; x < Raster::kWidth; ++x) {
      if (markers.at(x, y) == kBlack) continue;
      ++marker;
      if (beforeStop.at(x, y) != markers.at(x, y)) ++wipedBeforeStop;
      if (f.canvas.at(x, y) != markers.at(x, y)) ++missing;
    }
  EXPECT_GT(marker, 500);
  EXPECT_GT(wipedBeforeStop, 0);
  EXPECT_EQ(missing, 0);
  EXPECT_FALSE(f.running);
}

// Splits the yields of one animation run into its loops: each loop starts again at 0.
std::vector<std::vector<float>> loopsOf(const std::vector<float>& steps) {
  std::vector<std::vector<float>> loops;
  for (std::size_t k = 0; k < steps.size(); ++k) {
    if (k == 0 || steps[k] < steps[k - 1]) loops.emplace_back();
    loops.back().push_back(steps[k]);
  }
  return loops;
}

TEST(AnimationPlayer, EachLoopOfTheRunNeedsAStopOfItsOwn) {
  struct Case {
    const char* behaviour;
    float sixBarStop;  // the first six-bar step from this angle on is stopped; 0: none
  };
  const Case cases[] = {
      {"a stop in the four-bar frame search leaves the six-bar one running", 0},
      {"a second stop ends the six-bar frame search", 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.behaviour);
    Player p;
    Form& f = p.form;
    f.Check3 = 1;
    int loop = 0;
    int playbackSteps = 0;
    float sixBarStoppedAt = 360;
    p.atStep = [&](int step) {
      if (step > 1 && f.crankAngle < p.steps[p.steps.size() - 2]) ++loop;
      if (loop == 0 && f.crankAngle == 100.0f) Command6_Click(f);
      if (loop == 1 && c.sixBarStop > 0 && f.crankAngle >= c.sixBarStop &&
          sixBarStoppedAt == 360) {
        sixBarStoppedAt = f.crankAngle;
        Command6_Click(f);
      }
      if (loop == 2 && ++playbackSteps == 10) Command6_Click(f);
    };
    AnimeButton_Click(f, 0);

    const auto loops = loopsOf(p.steps);
    ASSERT_EQ(loops.size(), 3u);
    EXPECT_EQ(loops[0].back(), 100.0f);
    EXPECT_EQ(loops[1].back(), sixBarStoppedAt);
    EXPECT_EQ(loops[2].size(), 10u);
    EXPECT_EQ(f.leverTipX[angleIndex(100)], kNoPose);
    EXPECT_NE(f.leverTipX[angleIndex(99.5f)], kNoPose);
    EXPECT_EQ(f.stopRequested, 0);
    EXPECT_FALSE(f.running);
  }
}

TEST(AnimationPlayer, QuitEndsEveryLoopAtOnce) {
  struct Case {
    const char* behaviour;
    void (*start)(Form&);
    CheckState sixBar;
    std::size_t yieldsAfterQuit;
  };
  const Case cases[] = {
      {"animation with six-bar frames", [](Form& f) { AnimeButton_Click(f, 0); }, 1, 2},
      {"animation without", [](Form& f) { AnimeButton_Click(f, 1); }, 0, 1},
      {"analysis with the six-bar", [](Form& f) { Command1_Click(f); }, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.behaviour);
    Player p;
    p.form.Check3 = c.sixBar;
    std::size_t quitAt = 0;
    p.atStep = [&](int step) {
      if (p.form.crankAngle >= 100.0f && quitAt == 0) {
        Command2_Click(p.form);
        quitAt = static_cast<std::size_t>(step);
      }
    };
    c.start(p.form);
    ASSERT_NE(quitAt, 0u);
    EXPECT_EQ(p.steps.size() - quitAt, c.yieldsAfterQuit);
    EXPECT_FALSE(p.form.running);
  }
}

}  // namespace
}  // namespace gyrenda
