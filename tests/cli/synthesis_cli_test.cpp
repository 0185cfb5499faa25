// gyrenda-cli --synthesize: the targets file as people write it, the JSON against the core's
// own answer, --apply-best's design in the outputs, and bad input refused with status 2.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli_run.h"
#include "cli/synthesis_cli.h"
#include "core/test_support.h"
#include "files/data_file_reader.h"
#include "kinematics/exact_linkage.h"
#include "synthesis/compact_fit.h"
#include "linkage/number_text.h"

namespace gyrenda {
namespace {

using test::Args;
constexpr auto run = test::runProgram;

TEST(CliSynthesis, WritesTheCoreCandidatesAndAppliesTheBest) {
  const test::TempFolder folder;
  test::OpenWindow w;
  const ExactLinkage exact = makeExactLinkage(w.bench.linkage().parameters);
  std::string csv = "x,y\n";
  SynthesisOptions options;
  options.minTransmissionAngle = 15, options.crank = {15, 20}, options.candidates = 3, options.starts = 24,
  options.evaluationsPerStart = 1500;
  for (int i = 0; i < 5; ++i) {
    const Vec2 q = fourBarPose(exact, 72.0 * i + 10, 0)->output;
    const std::string x = formatBoxNumber(static_cast<float>(q.x)), y = formatBoxNumber(static_cast<float>(q.y));
    csv += x + "," + y + "\n";
    options.targets.push_back({readNumber(x), readNumber(y)});
  }
  // The ranges not given scale to the targets.
  const auto scaled = scaledBounds(options.targets, false);
  options.lever = scaled[1], options.coupler = scaled[2], options.fixedLink = scaled[3];
  options.outputAlong = scaled[4], options.outputAcross = scaled[5];
  const std::string targets = folder.file("targets.csv", csv), gyr = folder.file("best.gyr", "");
  const auto [status, json, err] =
      run({"--synthesize", targets, "--min-transmission", "15", "--candidates", "3", "--starts", "24",
           "--evaluations", "1500", "--seed", "1", "--bound", "crankRadius=15:20", "--apply-best", "--gyr", gyr});
  ASSERT_EQ(status, 0) << err;
  WorkProgress progress;
  const SynthesisResult want = synthesizePath(options, w.bench.linkage().parameters, progress);
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json));
  EXPECT_EQ(doc["rankedBy"].toString(), "rmsDistance");
  EXPECT_EQ(doc["bounds"]["crankRadius"].toArray(), (QJsonArray{15, 20}));
  EXPECT_EQ(doc["bounds"]["leverRadius"].toArray(), (QJsonArray{options.lever.low, options.lever.high}));
  const QJsonArray got = doc["candidates"].toArray();
  ASSERT_EQ(got.size(), static_cast<qsizetype>(want.candidates.size()));
  for (qsizetype i = 0; i < got.size(); ++i) {
    const SynthesisCandidate& c = want.candidates[i];
    const QJsonObject o = got[i].toObject();
    EXPECT_EQ(o["maxDistance"].toDouble(), c.maxDistance);
    EXPECT_EQ(o["rmsDistance"].toDouble(), c.rmsDistance);
    EXPECT_EQ(std::tuple(o["rasterPoses"].toInt(), o["rasterSteps"].toInt(), o["fitsView"].toBool()),
              std::tuple(c.rasterPoses, c.rasterSteps, true));
    for (int k = 0; k < 6; ++k)
      EXPECT_EQ(static_cast<float>(o["parameters"][QString::fromLatin1(paramInfo()[k].name.data())].toDouble()),
                c.parameters[k]);
  }
  std::ifstream saved(gyr);
  EXPECT_EQ(readDataFileParams(saved), want.candidates.front().parameters);

  // Candidates that standard output loses are a failure, and so are the outputs not written
  // after it.
  std::ostringstream messages;
  std::ostream closed(nullptr);
  const Args again{"--synthesize", targets, "--min-transmission", "15", "--candidates", "1",
                   "--starts", "4", "--evaluations", "300", "--apply-best", "--gyr", gyr + "2"};
  EXPECT_EQ(runCli(again, closed, messages, {}), 1);
  EXPECT_EQ(messages.str(), "gyrenda-cli: standard output: write failed; nothing was written; not written: --gyr " +
                                gyr + "2\n");
  EXPECT_FALSE(std::filesystem::exists(gyr + "2"));

  // The core's own refusals are its tests' table; here one of them, and the program's own:
  // input that cannot be read whole, options without the one they belong to, a first line
  // that is no header. Standard input is a folder, or a descriptor that is not open.
  const int folderFd = ::open(folder.path.c_str(), O_RDONLY | O_DIRECTORY);
  const std::string huge = "1,2\n3,4\n5,6\n" + std::string(1 << 20, '\n') + "60,60123\n";
  std::string many;
  for (int i = 0; i < 201; ++i) many += std::to_string(i) + ",0\n";
  const struct { Args args; int input, status; std::string says; } rows[] = {
      {{"--synthesize", folder.file("two.csv", "1,2\n3,4\n")}, -1, 2, "2 targets"},
      {{"--synthesize", folder.file("bad.csv", "1,2\n3,y\n5,6\n")}, -1, 2, "line 2"},
      {{"--synthesize", folder.file("same.csv", "1,2\n3,4\n5,6\n3,4\n")}, -1, 2, "targets 2 and 4 are"},
      {{"--synthesize", folder.file("huge.csv", huge)}, -1, 1, "larger than the 1 MiB"},
      {{"--synthesize", "-"}, folderFd, 1, "standard input: Is a directory"},
      {{"--synthesize", "-"}, -1, 1, "standard input: Bad file descriptor"},
      {{"--synthesize", ""}, -1, 2, "--synthesize needs a file name, or '-' for standard input"},
      {{"--synthesize", targets, "--bound", "sixLinkLength=1:2"}, -1, 2, "--bound takes"},
      {{"--synthesize", targets, "--rank-by", "mean"}, -1, 2, "--rank-by takes rms or max"},
      {{"--synthesize", targets, "--max-size", "0"}, -1, 2, "--max-size takes millimetres"},
      {{"--synthesize", targets, "--bound", "crankRadius=150:200", "--bound", "leverRadius=150:200",
        "--min-transmission", "15", "--starts", "2", "--evaluations", "300"}, -1, 2, "but none that fits one view of the canvas"},
      {{"--synthesize", targets, "--mirror"}, -1, 2, "--mirror needs --free-frame"},
      {{"--synthesize", folder.file("crossing.csv", "0,40\n40,80\n40,40\n0,80\n20,100\n20,20\n"), "--ordered",
        "--min-transmission", "15", "--starts", "2", "--evaluations", "300"}, -1, 2,
       "none whose path meets the targets in their order, in either direction"},
      {{"--synthesize", targets, "--bound", "crankRadius=7:200", "--bound", "leverRadius=5:6",
        "--min-transmission", "0"}, -1, 2, "--bound: the bounds hold no crank-rocker"},
      {{"--synthesize", targets, "--report", "-"}, -1, 2, "both write to standard output"},
      {{"--apply-best"}, -1, 2, "--apply-best needs --synthesize"},
      {{"--synthesize", folder.file("list.dxf", csv)}, -1, 2, "list.dxf: not an ASCII DXF drawing"},
      {{"--synthesize", folder.file("circle.dxf", "0\nSECTION\n2\nENTITIES\n0\nCIRCLE\n8\n0\n40\n5\n0\nENDSEC\n"),
        "--layer", "Path"}, -1, 2, "layer 'Path' of the drawing holds no LWPOLYLINE"},
      {{"--synthesize", targets, "--layer", "0"}, -1, 2, "--layer reads a DXF drawing"},
      {{"--synthesize", folder.file("timed.csv", "0,40\n30,60,90\n60,45,180\n"), "--sample", "5"}, -1, 2,
       "--sample spaces targets along the curve"},
      {{"--synthesize", folder.file("many.csv", many)}, -1, 2, "201 targets; 200 at most"},
      {{"--synthesize", targets, "--sample", "201"}, -1, 2, "--sample takes a count from 3 to 200"},
      {{"--layer", "0"}, -1, 2, "--layer needs --synthesize"},
      {{"--gyr", gyr, "--ordered", "--bound", "crankRadius=1:2"}, -1, 2, "--ordered needs"}};
  for (const auto& row : rows) {
    const auto [code, text, message] = test::runProgramWith(row.args, {row.input, -1});
    EXPECT_EQ(std::tuple(code, text), std::tuple(row.status, "")) << message;
    EXPECT_NE(message.find(row.says), std::string::npos) << message;
  }
  ::close(folderFd);
}

// A drawing's closed polyline on a named layer with targets spaced along it, and a list with
// crank angles: the JSON says what was traced and where the targets lie, and each candidate's
// crank-angle errors.
TEST(CliSynthesis, ReadsTracedCurvesAndTiming) {
  const test::TempFolder folder;
  const std::string drawing = folder.file(
      "curve.DXF", "0\nSECTION\n2\nENTITIES\n0\nPOINT\n8\n0\n10\n5\n20\n5\n"
                   "0\nLWPOLYLINE\n8\nPath\n90\n4\n70\n1\n10\n20\n20\n40\n10\n60\n20\n40\n"
                   "10\n60\n20\n60\n10\n20\n20\n60\n0\nENDSEC\n0\nEOF\n");
  const Args budget{"--min-transmission", "15", "--starts", "2", "--evaluations", "300"};
  Args args{"--synthesize", drawing, "--layer", "PATH", "--sample", "6"};
  args.insert(args.end(), budget.begin(), budget.end());
  const auto [status, json, err] = run(args);
  ASSERT_EQ(status, 0) << err;
  const QJsonObject traced = QJsonDocument::fromJson(QByteArray::fromStdString(json))["traced"].toObject();
  EXPECT_EQ(traced["entity"].toString(), "POLYLINE");
  EXPECT_TRUE(traced["closed"].toBool());
  EXPECT_EQ(traced["sampled"].toArray().size(), 6);
  EXPECT_EQ(traced["sampled"][3].toObject(), (QJsonObject{{"x", 60}, {"y", 60}}));

  args = {"--synthesize", folder.file("timed.csv", "x,y,角度\n20,40\n40,40,60\n60,50,150\n40,60,250\n")};
  args.insert(args.end(), budget.begin(), budget.end());
  const auto [timedStatus, timed, timedErr] = run(args);
  ASSERT_EQ(timedStatus, 0) << timedErr;
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(timed));
  EXPECT_EQ(doc["timing"].toArray(), (QJsonArray{0, 60, 150, 250}));
  for (const QJsonValue c : doc["candidates"].toArray())
    EXPECT_TRUE(c["crankAngleErrors"].toArray().size() == 4 && c["phase"].isDouble() && c["direction"].isString());
}

}  // namespace
}  // namespace gyrenda
