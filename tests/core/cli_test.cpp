#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

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
  bool oneErrorLine() const { return std::count(err.begin(), err.end(), '\n') == 1; }
};

CliRun run(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = runCli(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(Cli, WithoutOptionsWritesTheDefaultAnalysisToStandardOutput) {
  const CliRun r = run({});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  test::OpenWindow w;
  Command1_Click(w.form);
  EXPECT_EQ(r.out, dataFileText(w.form));
  EXPECT_EQ(splitLines(r.out, "\r\n").size(), 723u);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 723) << "CR LF only";
  EXPECT_EQ(run({"--gyr", "-"}).out, r.out);
}

// Each --set is one validation pass, in the order given.
TEST(Cli, SetTypesIntoTheBoxNamedOrNumberedAndLeavesIt) {
  const struct { std::vector<std::string> args; const char* parameters; } cases[] = {
      {{"--set", "crankRadius=20"}, "20,36,36,31,72,0,50,100,30,20,55,150,55"},
      {{"--set", "0=20"}, "20,36,36,31,72,0,50,100,30,20,55,150,55"},
      {{"--set", "fixedLinkLength=10"}, "18,36,36,19,72,0,50,100,30,20,55,150,55"},
      {{"--set", "9=150", "--set", "slideEndX=150"}, "18,36,36,31,72,0,50,100,30,150,55,151,55"}};
  for (const auto& c : cases) EXPECT_EQ(splitLines(run(c.args).out, "\r\n").at(1), c.parameters);
}

TEST(Cli, BadOptionsGiveOneLineOnStandardErrorAndNothingElse) {
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus"},        {"--speed", "x"},   {"--speed"},          {"--zoom", "5"},
      {"--zoom", "3x"},   {"--pan", "400,0"}, {"--pan", "0"},       {"--set", "nosuch=1"},
      {"--set", "13=1"},  {"--set", "0x=1"},  {"--set", "crankRadius"},  {"--gyr"},  {"--frames"},
      {"--load", "/nonexistent-dir/design.GYR"},     {"--gyr", "-", "--bogus"},
      {"--bmp", "canvas.bmp"}};  // no image writer in this build of the core
  for (const auto& args : cases) {
    const CliRun r = run(args);
    EXPECT_TRUE(r.status != 0 && r.out.empty() && r.oneErrorLine()) << args[0] << ": " << r.err;
  }
}

TEST(Cli, UnwritableOutputFailsWithoutLeavingAFile) {
  const fs::path dir = fs::temp_directory_path() / "gyrenda-cli-unwritable";
  fs::remove_all(dir);
  fs::create_directories(dir);
  for (const fs::path& target : {dir / "no" / "such" / "out.GYR", dir}) {
    const CliRun r = run({"--gyr", target.string()});
    EXPECT_TRUE(r.status != 0 && r.oneErrorLine()) << r.err;
    EXPECT_NE(r.err.find(target.string()), std::string::npos) << "names the file: " << r.err;
    EXPECT_TRUE(fs::is_empty(dir)) << target;
  }
  fs::remove_all(dir);
}

TEST(Cli, FramesWritesAHeaderAndOneCsvRowPerHalfDegree) {
  for (const bool six : {false, true}) {
    const CliRun r = run(six ? std::vector<std::string>{"--six", "--frames", "-"}
                             : std::vector<std::string>{"--frames", "-"});
    const auto lines = splitLines(r.out, "\n");
    ASSERT_EQ(lines.size(), 722u) << r.err;
    EXPECT_EQ(lines[0], "crankAngle,leverTipX,leverTipY,outputX,outputY,"
                        "sixAxisX,sixAxisY,sixOffsetX,sixOffsetY");
    EXPECT_EQ(lines[721].substr(0, 4), "360,");
    const auto sixBarRows = std::count_if(lines.begin() + 1, lines.end(), [](const auto& line) {
      return !line.ends_with(",9999,9999,9999,9999");
    });
    EXPECT_EQ(sixBarRows > 0, six);
  }
}

}  // namespace
}  // namespace gyrenda
