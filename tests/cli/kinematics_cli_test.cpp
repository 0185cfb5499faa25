// gyrenda-cli's exact kinematics, --kinematics and the report's figures, against the core's
// own analysis of the same design: the program must write what the core computes.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <sstream>

#include "cli/cli_run.h"
#include "core/test_support.h"
#include "kinematics/kinematic_columns.h"
#include "kinematics/kinematics_analysis.h"

namespace gyrenda {
namespace {

using test::Args;
constexpr auto run = test::runProgram;

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
    const auto [status, csv, err] = run(args);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(csv, kinematicsCsv(analyseKinematics(parametersAfter(c.sets), c.rpm, c.step).curves));
  }
  // The format: a header, a row per crank angle, twelve significant digits, and nothing between
  // the commas where no loop closes (the third design cannot be assembled).
  const KinematicsAnalysis exact = analyseKinematics(parametersAfter({}), 120, 2);
  const auto rows = test::splitLines(kinematicsCsv(exact.curves), "\n");
  ASSERT_EQ(rows.size(), exact.curves.samples.size() + 1);
  EXPECT_TRUE(rows[0].starts_with("crankAngle,leverAngle,"));
  const auto fields = test::splitLines(rows[10], ",");
  const double lever = *quantityAt(exact.curves.samples[9], kinematicColumns()[0].quantity);
  EXPECT_EQ(std::stod(fields[0]), exact.curves.samples[9].crankAngle);
  EXPECT_NEAR(std::stod(fields[1]), lever, 1e-11 * (1 + std::abs(lever)));
  const auto none = test::splitLines(kinematicsCsv(analyseKinematics(parametersAfter(cases[2].sets), 30, 45).curves), "\n");
  EXPECT_EQ(none.at(2), "45" + std::string(kinematicColumns().size(), ','));
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
    const auto [status, json, err] = run(args);
    ASSERT_EQ(status, 0);
    const QJsonObject report = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    EXPECT_EQ(report["linkageClass"].toString().toStdString(), c.linkageClass);
    EXPECT_EQ(report["crankTurnsFully"].toBool(), c.turnsFully);
    const DesignFigures f = analyseKinematics(parametersAfter(c.sets), 90).figures;
    // A figure the design lacks is missing from the report, read here as -1.
    const auto orNone = [](const auto& figure, auto field) { return figure ? (*figure).*field : -1.0; };
    const QJsonValue mu = report["transmissionAngle"], k = report["kinematics"];
    const std::pair<QJsonValue, double> figures[] = {
        {mu["min"], orNone(f.minTransmissionAngle, &AtCrankAngle::value)},
        {mu["minAtCrankAngle"], orNone(f.minTransmissionAngle, &AtCrankAngle::crankAngle)},
        {mu["max"], orNone(f.maxTransmissionAngle, &AtCrankAngle::value)}, {k["rpm"], 90},
        {k["lever"]["rockingAngle"], orNone(f.lever, &Stroke::travel)},
        {k["lever"]["timeRatio"], orNone(f.lever, &Stroke::timeRatio)},
        {k["slider"]["stroke"], orNone(f.slider, &Stroke::travel)},
        {k["peakInputTorquePerNewton"]["value"], orNone(f.peakTorquePerNewton, &AtCrankAngle::value)}};
    for (std::size_t i = 0; i < std::size(figures); ++i) EXPECT_EQ(figures[i].first.toDouble(-1), figures[i].second) << i;
    EXPECT_EQ(static_cast<std::size_t>(k["deadCentreCrankAngles"].toArray().size()), f.deadCentres.size());
    // Nothing that is not finite: Qt writes NaN and infinity as null, so none may be missing.
    EXPECT_EQ(json.find("nan"), std::string::npos);
  }
}

}  // namespace
}  // namespace gyrenda
