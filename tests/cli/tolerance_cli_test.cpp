// gyrenda-cli --tolerance: the core's analysis with the options as given, the same bytes for
// the same seed, and bad values refused before anything is computed or written.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <sstream>

#include "cli/cli.h"
#include "tolerance/tolerance_analysis.h"

namespace gyrenda {
namespace {

struct CliRun {
  int status;
  std::string out, err;
};

CliRun run(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = runCli(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(CliTolerance, JsonIsTheCoreAnalysisOfTheOptionsAndRepeatsByteForByteForASeed) {
  const std::vector<std::string> args{"--tolerance", "-", "--samples", "300", "--seed", "7",
                                      "--tol", "0.2", "--tol", "leverRadius=0.05",
                                      "--clearance", "0.02", "--distribution", "normal",
                                      "--step", "2"};
  const CliRun first = run(args);
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(run(args).out, first.out);
  std::vector<std::string> otherSeed = args;
  otherSeed[5] = "8";
  EXPECT_NE(run(otherSeed).out, first.out);

  ToleranceOptions o;
  o.samples = 300;
  o.seed = 7;
  o.tolerance.fill(0.2);
  o.tolerance[leverRadius] = 0.05;
  o.clearance = 0.02;
  o.distribution = ToleranceDistribution::Normal;
  o.step = 2;
  ToleranceProgress progress;
  const ParameterSet defaults{18, 36, 36, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55};
  const ToleranceResult want = analyseTolerance(defaults, o, progress);
  const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(first.out)).object();
  const QJsonArray band = json["band95"].toObject()["slider"].toArray();
  ASSERT_EQ(band.size(), static_cast<qsizetype>(want.band.slider.size()));
  for (qsizetype a = 0; a < band.size(); ++a)
    EXPECT_DOUBLE_EQ(band[a].toDouble(), *want.band.slider[static_cast<std::size_t>(a)].p95);
  const QJsonArray ranked = json["sensitivity"].toArray();
  ASSERT_EQ(ranked.size(), kParamCount);
  for (qsizetype i = 0; i < ranked.size(); ++i)
    EXPECT_EQ(ranked[i].toObject()["parameter"].toString().toStdString(),
              paramInfo()[want.sensitivity[static_cast<std::size_t>(i)].parameter].name);
  EXPECT_DOUBLE_EQ(json["shareNotFullyTurning"].toDouble(), want.notFullyTurning);
}

TEST(CliTolerance, BadValuesAndADesignThatCannotBeAssembledAreRefused) {
  const std::vector<std::vector<std::string>> cases{
      {"--tol", "-0.1"},          {"--tol", "abc"},        {"--tol", "nan"},
      {"--tol", "crank=0.1"},     {"--tol", "0=inf"},      {"--clearance", "-1"},
      {"--samples", "0"},         {"--samples", "2.5"},    {"--seed", "-3"},
      {"--distribution", "gauss"}, {"--set", "crankRadius=200"}};
  for (const auto& c : cases) {
    std::vector<std::string> args = c;
    args.insert(args.end(), {"--tolerance", "-"});
    const CliRun r = run(args);
    EXPECT_EQ(r.status, 2) << c[1];
    EXPECT_EQ(r.out, "") << c[1];
    EXPECT_NE(r.err, "") << c[1];
  }
}

}  // namespace
}  // namespace gyrenda
