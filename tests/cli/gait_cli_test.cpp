// gyrenda-cli --gait: the JSON against the core's own answer, --apply-best's leg in the
// outputs, and bad requests refused with status 2, a message naming the obstacle and nothing
// written or applied.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>
#include <fstream>

#include "cli/cli_run.h"
#include "core/test_support.h"
#include "files/data_file_reader.h"
#include "synthesis/gait_synthesis.h"

namespace gyrenda {
namespace {

TEST(CliGait, WritesTheCoreCandidatesAndAppliesTheBest) {
  const test::TempFolder folder;
  test::OpenWindow w;
  const std::string gyr = folder.file("leg.gyr", "");
  const auto [status, json, err] =
      test::runProgram({"--gait", "--stride", "40", "--lift", "10", "--stance", "0.45", "--flatness",
                        "0.5", "--starts", "8", "--candidates", "3", "--free-frame", "--ground-angle",
                        "-20", "--apply-best", "--gyr", gyr});
  ASSERT_EQ(status, 0) << err;
  GaitOptions o;
  o.stride = 40, o.lift = 10, o.stanceShare = 0.45, o.flatness = 0.5, o.groundAngle = -20;
  o.search.starts = 8, o.search.candidates = 3, o.search.freeFrame = true;
  WorkProgress progress;
  const GaitResult want = synthesizeGait(o, w.bench.linkage().parameters, progress);
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json));
  EXPECT_EQ(doc["minTransmissionAngle"].toDouble(), 20);
  const QJsonArray got = doc["candidates"].toArray();
  ASSERT_EQ(got.size(), static_cast<qsizetype>(want.candidates.size()));
  for (qsizetype i = 0; i < got.size(); ++i) {
    const GaitCandidate& c = want.candidates[static_cast<std::size_t>(i)];
    const QJsonObject g = got[i].toObject();
    const GaitFigures& f = c.figures;
    const std::pair<const char*, double> figures[] = {
        {"stanceShare", f.stanceShare}, {"stride", f.stride}, {"lift", f.lift},
        {"flatness", f.flatness}, {"stanceSpeedRatio", f.stanceSpeedRatio},
        {"minTransmissionAngle", c.minTransmissionAngle}, {"stanceBegin", f.stanceBegin},
        {"stanceEnd", f.stanceEnd}, {"frameAngle", c.frameAngle}};
    for (const auto& [name, value] : figures) EXPECT_EQ(g[name].toDouble(), value) << name;
    EXPECT_EQ(g["pivot"]["y"].toDouble(), c.pivot.y);
    for (int k = 0; k < 6; ++k)
      EXPECT_EQ(static_cast<float>(g["parameters"][QString::fromLatin1(paramInfo()[k].name.data())].toDouble()),
                c.parameters[k]);
  }
  std::ifstream saved(gyr);
  EXPECT_EQ(readDataFileParams(saved), want.candidates.front().parameters);

  // Bad requests: the obstacle named, nothing on standard output, the design not applied and
  // written.
  const std::string untouched = folder.path + "/untouched.gyr";
  const struct { test::Args args; std::string says; } rows[] = {
      {{"--stride", "500", "--lift", "12"}, "500 mm is longer than any leg that fits one view"},
      {{"--stride", "100", "--lift", "12", "--bound", "crankRadius=1:5", "--bound", "outputOffsetX=0:10",
        "--bound", "outputOffsetY=0:10"}, "longer than the foot path of any linkage within the bounds"},
      {{"--stride", "60", "--lift", "12", "--stance", "1"}, "--stance takes the share"},
      {{"--stride", "60", "--lift", "12", "--stance", "0"}, "--stance takes the share"},
      {{"--stride", "60", "--lift", "-1"}, "--lift: a leg lifts its foot"},
      {{"--stride", "60", "--lift", "0.5"}, "no higher than the flatness 0.6 mm"},
      {{"--stride", "60"}, "--gait needs --stride and --lift"},
      {{"--stride", "60", "--lift", "12", "--max-size", "50"}, "longer than any leg within --max-size 50"},
      {{"--stride", "60", "--lift", "12", "--ordered"}, "--ordered needs --synthesize"},
      {{"--stride", "60", "--lift", "12", "--synthesize", "-"}, "both write to standard output"},
  };
  for (const auto& row : rows) {
    test::Args args{"--gait", "--apply-best", "--gyr", untouched};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const auto [code, text, message] = test::runProgram(args);
    EXPECT_EQ(std::tuple(code, text), std::tuple(2, "")) << message;
    EXPECT_NE(message.find(row.says), std::string::npos) << message;
    EXPECT_FALSE(std::filesystem::exists(untouched));
  }
  EXPECT_NE(std::get<2>(test::runProgram({"--stride", "60"})).find("--stride needs --gait"),
            std::string::npos);
}

}  // namespace
}  // namespace gyrenda
