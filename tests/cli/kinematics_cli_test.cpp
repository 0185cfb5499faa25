// gyrenda-cli's exact kinematics, --kinematics and the report's figures, against the core's
// own analysis of the same design: the program must write what the core computes.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/cli_run.h"
#include "core/test_support.h"
#include "kinematics/kinematic_columns.h"
#include "kinematics/kinematics_analysis.h"
#include "report/run_report.h"

namespace gyrenda {
namespace {

using test::Args;
constexpr auto run = test::runProgram;

// Each design's curves at its speed and step, and its report's class and figures, are the
// core's for the parameters the boxes hold after its --set options: the exact ones the core's
// exact kinematics, the raster's those of the window's analysis. The designs: the defaults,
// the three a user first met wrong figures with (a change-point whose toggle is at crank 0,
// the same in decimal, and one whose longest link exceeds the other three, which cannot be
// assembled), and a slide moved with the crank, without the six-bar. The curves' format: a
// header, a row per crank angle, twelve significant digits, and nothing between the commas
// where no loop closes.
TEST(CliKinematics, CsvAndReportHoldTheCoresCurvesAndFiguresOfEachDesign) {
  const struct {
    std::vector<std::pair<int, const char*>> sets;
    const char* linkageClass;
    bool turnsFully, six;
    double rpm, step;
  } cases[] = {
      {{}, "crank-rocker", true, true, 120, 2},
      {{{crankRadius, "10"}, {leverRadius, "30"}, {couplerLength, "20"}, {fixedLinkLength, "20"},
        {outputOffsetX, "40"}}, "change-point", true, true, 90, 1},
      {{{crankRadius, "12.7"}, {leverRadius, "40.9"}, {couplerLength, "30.3"}, {fixedLinkLength, "23.3"}},
       "change-point", true, true, 90, 3},
      {{{leverRadius, "100"}, {crankRadius, "1"}, {couplerLength, "10"}, {fixedLinkLength, "10"}},
       "cannot-be-assembled", false, true, 30, 45},
      {{{crankRadius, "25"}, {slideStartY, "90"}}, "crank-rocker", true, false, 60, 0.5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sets.empty() ? "defaults" : c.sets[0].second);
    test::OpenWindow w;
    Args args{"--rpm", std::to_string(c.rpm)};
    for (const auto& [k, text] : c.sets) {
      test::leaveBox(w.bench, k, text);
      args.insert(args.end(), {"--set", std::to_string(k) + "=" + text});
    }
    const KinematicsAnalysis exact = analyseKinematics(w.bench.linkage().parameters, c.rpm, c.step);
    Args kinematics = args;
    kinematics.insert(kinematics.end(), {"--kinematics", "-", "--step", std::to_string(c.step)});
    const std::string csv = std::get<1>(run(kinematics));
    EXPECT_EQ(csv, kinematicsCsv(exact.curves));
    const auto rows = test::splitLines(csv, "\n");
    ASSERT_EQ(rows.size(), exact.curves.samples.size() + 1);
    EXPECT_TRUE(rows[0].starts_with("crankAngle,leverAngle,"));
    const auto fields = test::splitLines(rows[2], ",");
    const double lever = quantityAt(exact.curves.samples[1], kinematicColumns()[0].quantity).value_or(0);
    EXPECT_EQ(std::stod(fields[0]), c.step);
    if (c.turnsFully) EXPECT_NEAR(std::stod(fields.at(1)), lever, 1e-11 * (1 + std::abs(lever)));
    else EXPECT_EQ(rows[2], fields[0] + std::string(kinematicColumns().size(), ','));

    args.insert(args.end(), {"--report", "-"});
    if (c.six) args.push_back("--six");
    const auto [status, json, err] = run(args);
    ASSERT_EQ(status, 0) << err;
    const QJsonObject report = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    EXPECT_EQ(report["linkageClass"].toString().toStdString(), c.linkageClass);
    EXPECT_EQ(report["crankTurnsFully"].toBool(), c.turnsFully);
    EXPECT_EQ(report.contains("sixBar"), c.six);
    const DesignFigures f = analyseKinematics(w.bench.linkage().parameters, c.rpm).figures;
    w.bench.controls().analyseSixBar = c.six;
    w.bench.execute();
    const RunReport raster = w.bench.report().value();
    const SearchReport& s = c.six ? *raster.sixBar : raster.fourBar;
    // A figure the design lacks is missing from the report, read here as -1.
    const auto orNone = [](const auto& figure, auto field) { return figure ? (*figure).*field : -1.0; };
    const QJsonValue mu = report["transmissionAngle"], k = report["kinematics"];
    const QJsonValue seen = report["rasterTransmissionAngle"], search = report[c.six ? "sixBar" : "fourBar"];
    const std::pair<QJsonValue, double> figures[] = {
        {mu["min"], orNone(f.minTransmissionAngle, &AtCrankAngle::value)},
        {mu["minAtCrankAngle"], orNone(f.minTransmissionAngle, &AtCrankAngle::crankAngle)},
        {mu["max"], orNone(f.maxTransmissionAngle, &AtCrankAngle::value)}, {k["rpm"], c.rpm},
        {k["lever"]["rockingAngle"], orNone(f.lever, &Stroke::travel)},
        {k["lever"]["timeRatio"], orNone(f.lever, &Stroke::timeRatio)},
        {k["slider"]["stroke"], orNone(f.slider, &Stroke::travel)},
        {k["peakInputTorquePerNewton"]["value"], orNone(f.peakTorquePerNewton, &AtCrankAngle::value)},
        {seen["min"], orNone(raster.transmissionAngle, &Extremes::min)},
        {seen["maxAtCrankAngle"], orNone(raster.transmissionAngle, &Extremes::maxAtCrankAngle)},
        {search["posesFound"], s.posesFound}, {search["anglesExamined"], s.anglesExamined},
        {search["accuracy"]["median"], orNone(s.accuracy, &Accuracy::median)},
        {search["accuracy"]["p99"], orNone(s.accuracy, &Accuracy::p99)},
        {search["accuracy"]["max"], orNone(s.accuracy, &Accuracy::max)},
        {search["accuracy"]["maxAtCrankAngle"], orNone(s.accuracy, &Accuracy::maxAtCrankAngle)},
        {search["axisPath"]["width"], s.axisPath ? s.axisPath->width() : -1},
        {search["outputPath"]["minY"], orNone(s.outputPath, &PathExtent::minY)},
        {search["sliderStroke"]["length"], orNone(s.sliderStroke, &SliderStroke::length)}};
    for (std::size_t i = 0; i < std::size(figures); ++i) EXPECT_EQ(figures[i].first.toDouble(-1), figures[i].second) << i;
    EXPECT_EQ(static_cast<std::size_t>(k["deadCentreCrankAngles"].toArray().size()), f.deadCentres.size());
    // Nothing that is not finite: Qt writes NaN and infinity as null, so none may be missing.
    EXPECT_EQ(json.find("nan"), std::string::npos);
  }
}

}  // namespace
}  // namespace gyrenda
