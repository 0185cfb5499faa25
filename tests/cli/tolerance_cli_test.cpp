// gyrenda-cli --tolerance: the core's analysis with the options as given, the same bytes for
// the same seed, and bad values refused before anything is computed or written.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <tuple>

#include <algorithm>
#include <cmath>

#include "cli/cli_run.h"
#include "kinematics/kinematics_analysis.h"
#include "linkage/number_text.h"
#include "tolerance/tolerance_analysis.h"

namespace gyrenda {
namespace {

constexpr auto run = test::runProgram;

// Every option reaches the core: the band and the share are the core's for the same options.
TEST(CliTolerance, JsonIsTheCoreAnalysisOfTheOptionsAndRepeatsByteForByteForASeed) {
  std::vector<std::string> args{"--tolerance", "-", "--samples", "300", "--seed", "7", "--tol", "0.2",
                                "--tol", "leverRadius=0.05", "--clearance", "0.02",
                                "--distribution", "normal", "--step", "2"};
  const auto [status, first, err] = run(args);
  ASSERT_EQ(status, 0);
  EXPECT_EQ(std::get<1>(run(args)), first);
  args[5] = "8";
  EXPECT_NE(std::get<1>(run(args)), first);

  ToleranceOptions o;
  std::tie(o.samples, o.seed, o.clearance, o.distribution, o.step) =
      std::tuple(300, 7u, 0.02, ToleranceDistribution::Normal, 2.0);
  o.tolerance.fill(0.2);
  o.tolerance[leverRadius] = 0.05;
  WorkProgress progress;
  const ToleranceResult want = analyseTolerance({18, 36, 36, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55}, o, progress);
  const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(first)).object();
  const QJsonArray band = json["band95"].toObject()["slider"].toArray();
  ASSERT_EQ(band.size(), static_cast<qsizetype>(want.band.slider.size()));
  for (qsizetype a = 0; a < band.size(); ++a)
    EXPECT_DOUBLE_EQ(band[a].toDouble(), *want.band.slider[static_cast<std::size_t>(a)].p95);
  for (std::size_t i = 0; i < kParamCount; ++i)  // the ranking whole
    EXPECT_EQ(json["sensitivity"][i]["parameter"].toString().toStdString(), paramInfo()[want.sensitivity[i].parameter].name);
  EXPECT_DOUBLE_EQ(json["shareNotFullyTurning"].toDouble(), want.notFullyTurning);
  // The band's file: each number to twelve significant digits, no more.
  std::size_t longest = 0;
  const std::string csv = toleranceBandCsv(want);
  for (std::size_t at = csv.find_first_of("0123456789"); at != std::string::npos;) {
    const std::size_t end = csv.find_first_not_of("0123456789.", at);
    std::string digits = csv.substr(at, end - at);
    std::erase(digits, '.');
    digits.erase(0, digits.find_first_not_of('0'));
    longest = std::max(longest, digits.size());
    at = csv.find_first_of("0123456789", csv.find_first_of(",\n", end));
  }
  EXPECT_EQ(longest, 12u);

  // With the six-bar's link just long enough (the core's own case), some samples lose the
  // slider, and the program says so beside the JSON.
  double farthest = 0;
  for (const ExactPose& pose : analyseKinematics({18, 36, 36, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55}, 60).curves.samples)
    farthest = std::max(farthest, std::abs(55 - pose.fourBar->output.y));
  const auto [code, json2, note] =
      run({"--tolerance", "-", "--samples", "200", "--tol", "0", "--tol", "sixLinkLength=0.1",
           "--clearance", "0", "--set", "sixLinkLength=" + formatBoxNumber(static_cast<float>(farthest + 0.05))});
  EXPECT_EQ(code, 0);
  EXPECT_NE(note.find("six-bar link misses the slide"), std::string::npos) << note;
}

TEST(CliTolerance, BadValuesAndADesignThatCannotBeAssembledAreRefused) {
  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {"--tol", "-0.1"}, {"--tol", "abc"}, {"--tol", "crank=0.1"}, {"--tol", "0=inf"},
           {"--clearance", "-1"}, {"--samples", "0"}, {"--samples", "2.5"}, {"--seed", "-3"},
           {"--distribution", "gauss"}, {"--set", "crankRadius=200"}}) {
    args.insert(args.end(), {"--tolerance", "-"});
    const auto [status, out, err] = run(args);
    EXPECT_TRUE(status == 2 && out.empty() && !err.empty()) << args[1];
  }
}

}  // namespace
}  // namespace gyrenda
