// gyrenda-cli's exact kinematics, --kinematics and the report's figures, against the core's
// own analysis of the same design: the program must write what the core computes.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <charconv>
#include <sstream>

#include "cli/cli.h"
#include "core/test_support.h"
#include "kinematics/kinematic_columns.h"
#include "kinematics/kinematics_analysis.h"

namespace gyrenda {
namespace {

using Args = std::vector<std::string>;

std::pair<int, std::string> run(const Args& args) {
  std::ostringstream out, err;
  const int status = runCli(args, out, err);
  return {status, out.str()};
}

// The parameters the program analyses after typing `sets` into the boxes in order.
ParameterSet parametersAfter(const std::vector<std::pair<int, const char*>>& sets) {
  test::OpenWindow w;
  for (const auto& [k, text] : sets) test::leaveBox(w.bench, k, text);
  return w.bench.linkage().parameters;
}

TEST(CliKinematics, CsvHoldsTheCoreCurvesAtTheGivenSpeedAndStepWithGapsWhereNoLoopCloses) {
  const struct {
    std::vector<std::pair<int, const char*>> sets;
    double rpm, step;
  } cases[] = {{{}, 120, 2}, {{{crankRadius, "25"}, {slideStartY, "90"}}, 60, 0.5},
               {{{leverRadius, "100"}, {crankRadius, "1"}, {couplerLength, "10"}, {fixedLinkLength, "10"}}, 30, 45}};
  for (const auto& c : cases) {
    Args args;
    for (const auto& [k, text] : c.sets) args.insert(args.end(), {"--set", std::to_string(k) + "=" + text});
    args.insert(args.end(), {"--kinematics", "-", "--rpm", std::to_string(c.rpm), "--step", std::to_string(c.step)});
    const auto [status, csv] = run(args);
    ASSERT_EQ(status, 0);
    const KinematicsAnalysis exact = analyseKinematics(parametersAfter(c.sets), c.rpm, c.step);
    const auto rows = test::splitLines(csv, "\n");
    ASSERT_EQ(rows.size(), exact.curves.samples.size() + 1);
    EXPECT_EQ(rows[0].substr(0, 22), "crankAngle,leverAngle,");
    int gaps = 0;
    for (std::size_t r = 1; r < rows.size(); ++r) {
      const ExactPose& pose = exact.curves.samples[r - 1];
      std::istringstream fields(rows[r]);
      std::string field;
      std::getline(fields, field, ',');
      EXPECT_DOUBLE_EQ(std::stod(field), pose.crankAngle);
      for (const KinematicColumn& column : kinematicColumns()) {
        std::getline(fields, field, ',');
        const auto want = quantityAt(pose, column.quantity);
        gaps += !want;
        ASSERT_EQ(field.empty(), !want) << column.name << " row " << r;
        // Twelve significant digits.
        if (want) {
          EXPECT_NEAR(std::stod(field), *want, 1e-11 * (1 + std::abs(*want))) << column.name;
        }
      }
    }
    EXPECT_EQ(gaps > 0, exact.fourBarSamples < static_cast<int>(exact.curves.samples.size()) ||
                            exact.sixBarSamples < static_cast<int>(exact.curves.samples.size()));
  }
  for (const Args& bad : std::vector<Args>{{"--rpm", "0", "--kinematics", "-"}, {"--rpm", "fast"},
                                           {"--step", "0"}, {"--step", "361"}, {"--step", "nan"}})
    EXPECT_EQ(run(bad), std::pair(2, std::string()));
}

// The three designs a user first met wrong figures with: a change-point whose toggle is at
// crank 0, the same in decimal, and one whose longest link exceeds the other three.
TEST(CliKinematics, ReportTakesItsClassAndFiguresFromTheExactKinematics) {
  const struct {
    std::vector<std::pair<int, const char*>> sets;
    const char* linkageClass;
    bool turnsFully;
  } cases[] = {
      {{{crankRadius, "10"}, {leverRadius, "30"}, {couplerLength, "20"}, {fixedLinkLength, "20"}, {outputOffsetX, "40"}},
       "change-point", true},
      {{{crankRadius, "12.7"}, {leverRadius, "40.9"}, {couplerLength, "30.3"}, {fixedLinkLength, "23.3"}},
       "change-point", true},
      {{{leverRadius, "100"}, {crankRadius, "1"}, {couplerLength, "10"}, {fixedLinkLength, "10"}},
       "cannot-be-assembled", false},
      {{}, "crank-rocker", true}};
  for (const auto& c : cases) {
    Args args{"--six", "--report", "-", "--rpm", "90"};
    for (const auto& [k, text] : c.sets) args.insert(args.end(), {"--set", std::to_string(k) + "=" + text});
    const auto [status, json] = run(args);
    ASSERT_EQ(status, 0);
    const QJsonObject report = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    EXPECT_EQ(report["linkageClass"].toString().toStdString(), c.linkageClass);
    EXPECT_EQ(report["crankTurnsFully"].toBool(), c.turnsFully);
    const DesignFigures f = analyseKinematics(parametersAfter(c.sets), 90).figures;
    const QJsonObject mu = report["transmissionAngle"].toObject();
    EXPECT_EQ(mu.isEmpty(), !f.minTransmissionAngle);
    if (f.minTransmissionAngle) {
      EXPECT_EQ(mu["min"].toDouble(), f.minTransmissionAngle->value);
      EXPECT_EQ(mu["minAtCrankAngle"].toDouble(), f.minTransmissionAngle->crankAngle);
      EXPECT_EQ(mu["max"].toDouble(), f.maxTransmissionAngle->value);
    }
    const QJsonObject k = report["kinematics"].toObject();
    EXPECT_EQ(k["rpm"].toDouble(), 90);
    EXPECT_EQ(static_cast<std::size_t>(k["deadCentreCrankAngles"].toArray().size()), f.deadCentres.size());
    EXPECT_EQ(k["lever"].isNull(), !f.lever);
    const auto valueOr = [](const std::optional<Stroke>& s, double Stroke::*field) {
      return s ? (*s).*field : -1.0;
    };
    const auto jsonOr = [&k](const char* object, const char* key) {
      return k[object].isNull() ? -1.0 : k[object][key].toDouble();
    };
    EXPECT_EQ(jsonOr("lever", "rockingAngle"), valueOr(f.lever, &Stroke::travel));
    EXPECT_EQ(jsonOr("lever", "timeRatio"), valueOr(f.lever, &Stroke::timeRatio));
    EXPECT_EQ(jsonOr("slider", "stroke"), valueOr(f.slider, &Stroke::travel));
    EXPECT_EQ(jsonOr("peakInputTorquePerNewton", "value"),
              f.peakTorquePerNewton ? f.peakTorquePerNewton->value : -1.0);
    // Nothing that is not finite: Qt writes NaN and infinity as null, so none may be missing.
    EXPECT_EQ(json.find("nan"), std::string::npos);
  }
  // The toggle at crank 0 gives μ = 0 there.
  const auto [status, json] = run({"--report", "-", "--set", "0=10", "--set", "1=30", "--set", "2=20", "--set", "3=20"});
  const QJsonObject mu = QJsonDocument::fromJson(QByteArray::fromStdString(json))["transmissionAngle"].toObject();
  EXPECT_EQ(std::pair(mu["min"].toDouble(), mu["minAtCrankAngle"].toDouble()), std::pair(0.0, 0.0));
}

}  // namespace
}  // namespace gyrenda
