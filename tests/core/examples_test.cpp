// The designs that come with the program, as a user opens them: each loads, its analysis at
// the slowest speed in the view the window opens with finds every pose, and each does what
// its line in examples/README says.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/test_support.h"
#include "files/data_file.h"
#include "kinematics/kinematics_analysis.h"

namespace gyrenda {
namespace {

// The longest run of crank angles, around the turn, through which the output point stays
// within `tolerance` of the line through the run's two ends, in samples.
int longestStraightRun(const std::vector<Vec2>& path, double tolerance) {
  const int n = static_cast<int>(path.size());
  int longest = 0;
  for (int from = 0; from < n; ++from) {
    int to = from + longest + 1;
    for (; to < from + n; ++to) {
      const Vec2 a = path[from], b = path[to % n], d = b - a;
      const double length = std::hypot(d.x, d.y);
      bool straight = length > 0;
      for (int k = from; straight && k <= to; ++k) {
        const Vec2 p = path[k % n] - a;
        straight = std::abs(p.x * d.y - p.y * d.x) / length <= tolerance;
      }
      if (!straight) break;
    }
    longest = std::max(longest, to - 1 - from);
  }
  return longest;
}

struct Figures {
  double leastAngle, rocking, sliderTimeRatio, strokeOverCrank;
  std::vector<Vec2> path;  // the output point at every whole degree of a full turn
  // The longest stretch of the path, in degrees of crank angle, that keeps within `share` of
  // the path's width of a straight line.
  int straightDegrees(double share) const {
    if (path.size() != 360) return 0;
    const auto [minX, maxX] = std::ranges::minmax(path, {}, &Vec2::x);
    return longestStraightRun(path, share * (maxX.x - minX.x));
  }
};

Figures figuresOf(const ParameterSet& p) {
  const KinematicsAnalysis a = analyseKinematics(p, 60, 1.0);
  std::vector<Vec2> path;
  for (const ExactPose& s : a.curves.samples)
    if (s.fourBar && s.crankAngle < 360) path.push_back(s.fourBar->output);
  const auto& f = a.figures;
  return {f.minTransmissionAngle ? f.minTransmissionAngle->value : 0,
          f.lever ? f.lever->travel : 0, f.slider ? f.slider->timeRatio : 0,
          f.slider ? f.slider->travel / p[crankRadius] : 0, path};
}

TEST(Examples, EachLoadsFindsEveryPoseAndShowsWhatItsLineSays) {
  const struct {
    std::string file;
    bool slider;  // every six-bar pose is found too
    bool (*shows)(const Figures&);
  } shipped[] = {
      {"default-six-bar.GYR", false, [](const Figures&) { return true; }},
      {"walking-leg.GYR", false, [](const Figures& f) { return f.straightDegrees(0.025) >= 170; }},
      {"straight-line.GYR", false, [](const Figures& f) { return f.straightDegrees(0.005) >= 90; }},
      {"quick-return-slider.GYR", true,
       [](const Figures& f) { return std::abs(f.sliderTimeRatio - 2) < 0.1; }},
      {"large-stroke-slider.GYR", true, [](const Figures& f) { return f.strokeOverCrank >= 3.5; }},
      {"flapping-crank-rocker.GYR", false, [](const Figures& f) { return f.rocking <= 40; }}};
  std::set<std::string> inFolder, listed;
  for (const auto& entry : std::filesystem::directory_iterator(GYRENDA_EXAMPLES_DIR))
    if (entry.path().extension() == ".GYR") inFolder.insert(entry.path().filename().string());
  for (const auto& e : shipped) listed.insert(e.file);
  EXPECT_EQ(inFolder, listed);
  const std::string readme = test::readFile(std::string(GYRENDA_EXAMPLES_DIR) + "/README");
  for (const auto& e : shipped) {
    EXPECT_NE(readme.find("\n" + e.file + "\n  en: "), std::string::npos) << e.file;
    test::OpenWindow w;
    w.bench.setView(kStartView);
    w.bench.selectSpeed(2);  // かめ
    w.bench.controls().analyseSixBar = 1;
    const std::string path = std::string(GYRENDA_EXAMPLES_DIR) + "/" + e.file;
    ASSERT_EQ(w.bench.loadDesignFile(path), "") << e.file;
    w.bench.execute();
    const RunHits& hits = w.bench.result().hits;
    EXPECT_EQ(test::posesIn(hits.leverTipX), kAngleSteps) << e.file;
    if (e.slider) {
      EXPECT_EQ(test::posesIn(hits.sliderX), kAngleSteps) << e.file;
    }
    // The file is the design as the program writes it: no value changed by the load's pass.
    EXPECT_EQ(test::splitLines(test::readFile(path), "\r\n").at(1),
              test::splitLines(dataFileText(w.bench.linkage().parameters, w.bench.result()), "\r\n").at(1))
        << e.file;
    const Figures f = figuresOf(w.bench.linkage().parameters);
    if (e.file != "default-six-bar.GYR") {
      EXPECT_GE(f.leastAngle, 30.0) << e.file;
    }
    EXPECT_TRUE(e.shows(f)) << e.file << ": straight " << f.straightDegrees(0.025) << "° (within 2.5 %), "
                            << f.straightDegrees(0.005) << "° (within 0.5 %), rocking "
                            << f.rocking << "°, time ratio " << f.sliderTimeRatio << ", stroke "
                            << f.strokeOverCrank << " cranks";
  }
}

}  // namespace
}  // namespace gyrenda
