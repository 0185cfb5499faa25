// gyrenda-cli --synthesize-slider: the JSON against the core's own answer, --apply-best's design
// in the outputs, and requests that cannot be met refused with status 2 and nothing written.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>
#include <fstream>

#include "cli/cli_run.h"
#include "core/test_support.h"
#include "files/data_file_reader.h"
#include "synthesis/slider_synthesis.h"

namespace gyrenda {
namespace {

// Within one view every candidate fits it and the JSON says nothing of it; without, each says.
TEST(CliSlider, WritesTheCoreCandidatesAndAppliesTheBest) {
  const test::TempFolder folder;
  test::OpenWindow w;
  const struct { double stroke, ratio; bool fitView; } rows[] = {{100, 3, true}, {80, 1.5, false}};
  for (const auto& [stroke, ratio, fitView] : rows) {
    const std::string gyr = folder.file("best.gyr", "");
    test::Args args{"--synthesize-slider", "--stroke", std::to_string(stroke), "--time-ratio",
                    std::to_string(ratio), "--candidates", "2", "--seed", "5", "--apply-best", "--gyr", gyr};
    if (!fitView) args.push_back("--no-fit-view");
    const auto [status, json, err] = test::runProgram(args);
    ASSERT_EQ(status, 0) << err;
    SliderOptions options;
    options.stroke = stroke, options.timeRatio = ratio, options.candidates = 2, options.seed = 5, options.fitView = fitView;
    WorkProgress progress;
    const SliderResult want = synthesizeSlider(options, w.bench.linkage().parameters, progress);
    const QJsonArray got = QJsonDocument::fromJson(QByteArray::fromStdString(json))["candidates"].toArray();
    ASSERT_EQ(got.size(), static_cast<qsizetype>(want.candidates.size()));
    for (qsizetype i = 0; i < got.size(); ++i) {
      const QJsonObject o = got[i].toObject();
      EXPECT_EQ(o["stroke"].toDouble(), want.candidates[i].motion.stroke);
      EXPECT_EQ(o["timeRatio"].toDouble(), want.candidates[i].motion.timeRatio);
      EXPECT_EQ(o["fitsView"], fitView ? QJsonValue(QJsonValue::Undefined) : QJsonValue(want.candidates[i].fitsView));
      for (int k = sixLinkLength; k < kParamCount; ++k)
        EXPECT_EQ(static_cast<float>(o["parameters"][QString::fromLatin1(paramInfo()[k].name.data())].toDouble()),
                  want.candidates[i].parameters[k]);
    }
    std::ifstream saved(gyr);
    EXPECT_EQ(readDataFileParams(saved), want.candidates.front().parameters);
  }
}

TEST(CliSlider, RequestsThatCannotBeMetAreRefused) {
  const test::TempFolder folder;
  const std::string gyr = folder.path + "/never.gyr";
  const struct { test::Args args; std::string says; int status = 2; } rows[] = {
      {{"--synthesize-slider", "--stroke", "250"}, "--stroke: the four-bar's output path gives no stroke of 250 mm"},
      {{"--synthesize-slider", "--stroke", "100", "--time-ratio", "0.2", "--slide-angle", "0"},
       "--time-ratio: strokes of 100 mm were found, but none with a time ratio within 2 % of 0.2 "
       "with the slide's direction fixed; the closest found is"},
      {{"--synthesize-slider", "--stroke", "0"}, "--stroke takes a length in mm above 0"},
      {{"--synthesize-slider", "--stroke", "397"}, "--stroke takes a length above 0 and at most 396"},
      {{"--synthesize-slider", "--stroke", "10001", "--no-fit-view"}, "--stroke takes a length above 0 and at most 10000 mm"},
      {{"--gyr", gyr, "--no-fit-view"}, "--no-fit-view needs --synthesize, --synthesize-slider or --gait"},
      {{"--synthesize-slider", "--min-link-angle", "90"}, "--min-link-angle takes degrees from 0 to below 90"},
      {{"--gyr", gyr, "--time-ratio", "2"}, "--time-ratio needs --synthesize-slider"},
      {{"--synthesize-slider", "--report", "-"}, "both write to standard output"},
      // Stopped before any slider met the request: nothing applied, nothing written.
      {{"--synthesize-slider", "--stroke", "80", "--time-ratio", "1.5", "--time-limit", "0.2"},
       "no slider met the request within the time limit", 1},
  };
  for (const auto& [args, says, status] : rows) {
    test::Args withFile = args;
    if (args.front() == "--synthesize-slider")
      withFile.insert(withFile.end(), {"--apply-best", "--gyr", gyr});
    if (status == 2 && args.front() == "--synthesize-slider")
      withFile.insert(withFile.end(), {"--starts", "32"});
    const auto [code, out, message] = test::runProgram(withFile);
    EXPECT_EQ(std::tuple(code, out), std::tuple(status, "")) << message;
    EXPECT_NE(message.find(says), std::string::npos) << message;
    EXPECT_FALSE(std::filesystem::exists(gyr));
  }
}

}  // namespace
}  // namespace gyrenda
