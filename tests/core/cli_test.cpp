#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "app/commands.h"
#include "files/data_file.h"
#include "test_support.h"

namespace gyrenda {
namespace {

namespace fs = std::filesystem;
using test::splitLines;

struct CliRun {
  int status;
  std::string out, err;
};

CliRun run(const std::vector<std::string>& args, const CliServices& services = {}) {
  std::ostringstream out, err;
  const int status = runCli(args, out, err, services);
  return {status, out.str(), err.str()};
}

std::string defaultAnalysisFile() {
  test::OpenWindow w;
  Command1_Click(w.form);
  return dataFileText(w.form);
}

// A fresh empty directory for one test, removed at its end.
struct ScratchDir {
  ScratchDir() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    path = fs::temp_directory_path() / (std::string("gyrenda-cli-") + info->name());
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  bool empty() const { return fs::is_empty(path); }
  fs::path path;
};

TEST(Cli, WithoutOptionsWritesTheDefaultAnalysisToStandardOutput) {
  const CliRun r = run({});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, defaultAnalysisFile());
  const auto lines = splitLines(r.out, "\r\n");
  ASSERT_EQ(lines.size(), 723u);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 723);
  EXPECT_EQ(lines[0], "\"Gyrenda\"");
  EXPECT_EQ(lines[1], "18,36,36,31,72,0,50,100,30,20,55,150,55");
  EXPECT_NE(lines[2], "0,0,0") << "the analysis ran";
  EXPECT_EQ(run({"--gyr", "-"}).out, r.out);
}

TEST(Cli, SetTakesTheParameterNameOrItsIndex) {
  const CliRun byName = run({"--set", "crankRadius=20"});
  const CliRun byIndex = run({"--set", "0=20"});
  EXPECT_EQ(byName.status, 0);
  EXPECT_EQ(byName.out, byIndex.out);
  EXPECT_EQ(splitLines(byName.out, "\r\n")[1], "20,36,36,31,72,0,50,100,30,20,55,150,55");
  EXPECT_NE(byName.out, run({}).out);
  // Each --set is one validation pass, in the order given.
  EXPECT_EQ(splitLines(run({"--set", "fixedLinkLength=10"}).out, "\r\n")[1],
            "18,36,36,19,72,0,50,100,30,20,55,150,55");
  EXPECT_EQ(splitLines(run({"--set", "9=150", "--set", "slideEndX=150"}).out, "\r\n")[1],
            "18,36,36,31,72,0,50,100,30,150,55,151,55");
}

TEST(Cli, SlowestSpeedFillsEveryRow) {
  const CliRun r = run({"--speed", "kame"});
  ASSERT_EQ(r.status, 0);
  const auto lines = splitLines(r.out, "\r\n");
  ASSERT_EQ(lines.size(), 723u);
  for (std::size_t k = 2; k < lines.size(); ++k) {
    const std::string tail = lines[k].substr(lines[k].find(','));
    EXPECT_NE(tail, ",0,0") << lines[k];
  }
}

TEST(Cli, BadOptionsGiveOneLineOnStandardErrorAndNothingElse) {
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus"},
      {"-x"},
      {"--speed", "x"},
      {"--speed"},
      {"--zoom", "5"},
      {"--zoom", "1"},
      {"--zoom", "3x"},
      {"--pan", "400,0"},
      {"--pan", "0,-301"},
      {"--pan", "0"},
      {"--pan", ",0"},
      {"--set", "nosuch=1"},
      {"--set", "crankRadius"},
      {"--set", "13=1"},
      {"--set"},
      {"--gyr"},
      {"--frames"},
      {"--load"},
      {"--load", "/nonexistent-dir/design.GYR"},
      {"--gyr", "-", "--bogus"},
      {"--bmp", "canvas.bmp"},  // no image writer in this build of the core
  };
  for (const auto& args : cases) {
    std::string what;
    for (const auto& a : args) what += a + " ";
    const CliRun r = run(args);
    EXPECT_NE(r.status, 0) << what;
    EXPECT_EQ(r.out, "") << what;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << what << ": " << r.err;
    EXPECT_EQ(r.err.back(), '\n') << what;
  }
}

TEST(Cli, UnwritableOutputFailsWithoutLeavingAFile) {
  ScratchDir dir;
  const std::string missingDir = (dir.path / "no" / "such" / "out.GYR").string();
  const std::string aDirectory = dir.path.string();
  for (const std::string& target : {missingDir, aDirectory}) {
    const CliRun r = run({"--gyr", target});
    EXPECT_NE(r.status, 0) << target;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(target), std::string::npos) << "the message names the file: " << r.err;
    EXPECT_TRUE(dir.empty()) << target;
  }
}

TEST(Cli, WritesTheDataFileToAPath) {
  ScratchDir dir;
  const fs::path target = dir.path / "design.GYR";
  const CliRun r = run({"--gyr", target.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  std::ifstream in(target, std::ios::binary);
  const std::string written{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(written, defaultAnalysisFile());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1)
      << "no temporary file left behind";
}

TEST(Cli, FramesWritesOneCsvRowPerHalfDegree) {
  struct Case {
    std::vector<std::string> args;
    bool sixBar;
  };
  for (const Case& c : {Case{{"--frames", "-"}, false}, Case{{"--six", "--frames", "-"}, true}}) {
    const CliRun r = run(c.args);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = splitLines(r.out, "\n");
    ASSERT_EQ(lines.size(), 722u);
    EXPECT_EQ(lines[0], "crankAngle,leverTipX,leverTipY,outputX,outputY,"
                        "sixAxisX,sixAxisY,sixOffsetX,sixOffsetY");
    int sixBarRows = 0, fourBarRows = 0;
    for (int i = 0; i < kAngleSteps; ++i) {
      std::vector<std::string> f;
      std::stringstream ss(lines[i + 1]);
      for (std::string field; std::getline(ss, field, ',');) f.push_back(field);
      ASSERT_EQ(f.size(), 9u) << lines[i + 1];
      EXPECT_EQ(f[0], i % 2 ? std::to_string(i / 2) + ".5" : std::to_string(i / 2));
      fourBarRows += f[1] != "9999";
      sixBarRows += f[5] != "9999";
    }
    EXPECT_EQ(fourBarRows, kAngleSteps) << "the frame search takes every half degree";
    if (c.sixBar) {
      EXPECT_GT(sixBarRows, 0);
    } else {
      EXPECT_EQ(sixBarRows, 0);
    }
  }
}

TEST(Cli, HelpAndVersionExitAtOnce) {
  const CliRun help = run({"--help", "--bogus"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out, cliUsage());
  const CliRun version = run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("gyrenda-cli ", 0), 0u);
}

TEST(Cli, ViewOptionsAreAccepted) {
  const CliRun r =
      run({"--zoom", "4", "--pan", "-100,-120", "--no-optimise-four", "--speed", "uma"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(splitLines(r.out, "\r\n").size(), 723u);
}

}  // namespace
}  // namespace gyrenda
