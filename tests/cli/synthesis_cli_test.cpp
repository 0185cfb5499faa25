// gyrenda-cli --synthesize: the targets file as people write it, the JSON against the core's
// own answer, --apply-best's design in the outputs, and bad input refused with status 2.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli_run.h"
#include "cli/synthesis_cli.h"
#include "core/test_support.h"
#include "files/data_file_reader.h"
#include "kinematics/exact_linkage.h"
#include "linkage/number_text.h"

namespace gyrenda {
namespace {

using test::Args;
constexpr auto run = test::runProgram;

std::string writeTemp(const std::string& name, const std::string& text) {
  const auto path = std::filesystem::temp_directory_path() / ("gyrenda_synthesis_" + name);
  std::ofstream(path) << text;
  return path.string();
}

TEST(CliSynthesis, WritesTheCoreCandidatesAndAppliesTheBest) {
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
  const std::string targets = writeTemp("targets.csv", csv), gyr = writeTemp("best.gyr", "");
  const auto [status, json, err] =
      run({"--synthesize", targets, "--min-transmission", "15", "--candidates", "3", "--starts", "24",
           "--evaluations", "1500", "--seed", "1", "--bound", "crankRadius=15:20", "--apply-best", "--gyr", gyr});
  ASSERT_EQ(status, 0) << err;
  SynthesisProgress progress;
  const SynthesisResult want = synthesizePath(options, w.bench.linkage().parameters, progress);
  const QJsonArray got = QJsonDocument::fromJson(QByteArray::fromStdString(json))["candidates"].toArray();
  ASSERT_EQ(got.size(), static_cast<qsizetype>(want.candidates.size()));
  for (qsizetype i = 0; i < got.size(); ++i) {
    const SynthesisCandidate& c = want.candidates[i];
    const QJsonObject o = got[i].toObject();
    EXPECT_EQ(o["maxDistance"].toDouble(), c.maxDistance);
    for (int k = 0; k < 6; ++k)
      EXPECT_EQ(static_cast<float>(o["parameters"][QString::fromLatin1(paramInfo()[k].name.data())].toDouble()),
                c.parameters[k]);
  }
  std::ifstream saved(gyr);
  EXPECT_EQ(readDataFileParams(saved), want.candidates.front().parameters);

  // The core's own refusals are its tests' table; here one of them, and the program's own.
  for (const Args& args : std::vector<Args>{{"--synthesize", writeTemp("two.csv", "1,2\n3,4\n")},
                                            {"--synthesize", writeTemp("bad.csv", "1,2\n3,y\n5,6\n")},
                                            {"--synthesize", targets, "--bound", "sixLinkLength=1:2"},
                                            {"--synthesize", targets, "--report", "-"}}) {
    const auto [code, text, message] = run(args);
    EXPECT_EQ(code, 2) << args[2];
    EXPECT_EQ(text, "");
    EXPECT_FALSE(message.empty());
  }
}

}  // namespace
}  // namespace gyrenda
