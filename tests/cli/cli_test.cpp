// The headless program's options, outputs and errors (writing to files: file_commands_test).
#include <gtest/gtest.h>

#include <sstream>

#include "app/cli.h"
#include "app/commands.h"
#include "files/data_file.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using Args = std::vector<std::string>;

// Status, standard output and standard error. A stand-in encoder serves a first "--bmp":
// what the program writes is the encoder's output as it stands.
std::tuple<int, std::string, std::string> run(const Args& args) {
  std::ostringstream out, err;
  const auto encoder = [](const Raster&) { return std::optional(std::string("BM\0\1", 4)); };
  const bool bmp = args.size() == 2 && args[0] == "--bmp";
  const int status = runCli(args, out, err, bmp ? CliServices{encoder} : CliServices{});
  return {status, out.str(), err.str()};
}
std::string out(const Args& args) { return std::get<1>(run(args)); }

// Each option acts as its control in the window; --set is one validation pass, in order.
TEST(Cli, WritesTheAnalysisToStandardOutputAndOptionsActInTheOrderGiven) {
  test::OpenWindow w;
  Command1_Click(w.form);
  EXPECT_EQ(run({}), std::tuple(0, dataFileText(w.form), ""));
  EXPECT_EQ(run({"--bmp", "-"}), std::tuple(0, std::string("BM\0\1", 4), ""));
  const struct { Args args, other; bool same; } cases[] = {
      {{"--gyr", "-"}, {}, true}, {{"--set", "crankRadius=20"}, {"--set", "0=20"}, true},
      {{"--set", "fixedLinkLength=10"}, {"--set", "3=19"}, true},
      {{"--set", "0=30", "--no-optimise-four"}, {"--set", "0=30"}, false},
      {{"--pan", "-60,100"}, {"--pan", "-60,-140"}, false}, {{"--zoom", "2"}, {}, false},
      {{"--pan", "100,-140"}, {"--zoom", "3"}, false}, {{"--speed", "uma"}, {}, false}};
  for (const auto& c : cases) EXPECT_EQ(out(c.args) == out(c.other), c.same) << c.args[1];
  EXPECT_EQ(test::splitLines(out({"--set", "9=150", "--set", "slideEndX=150"}), "\r\n").at(1),
            "18,36,36,31,72,0,50,100,30,150,55,151,55");
}

TEST(Cli, BadOptionsGiveOneLineOnStandardErrorAndNothingElse) {
  for (const Args& args : std::vector<Args>{
           {"--bogus"}, {"--speed", "x"}, {"--gyr"}, {"--zoom", "5"}, {"--zoom", "3x"},
           {"--pan", "400,0"}, {"--pan", "0,-301"}, {"--pan", "0"}, {"--pan", "0,5x"},
           {"--pan", "0x,5"}, {"--set", "nosuch=1"}, {"--set", "13=1"}, {"--set", "0x=1"},
           {"--set", "crankRadius"}, {"--gyr", "-", "--bogus"},
           {"--load", "/nonexistent-dir/design.GYR"}, {"--bmp", "-", "--six"},  // no encoder
           {"--dxf", "-", "--six"}, {"--png"}}) {
    const auto [status, written, err] = run(args);
    EXPECT_TRUE(status != 0 && written.empty() && std::ranges::count(err, '\n') == 1) << err;
  }
}

TEST(Cli, FramesWritesAHeaderAndOneCsvRowPerHalfDegree) {
  for (const Args& args : {Args{"--frames", "-"}, Args{"--six", "--frames", "-"}}) {
    const auto lines = test::splitLines(out(args), "\n");
    ASSERT_EQ(lines.size(), 722u);
    EXPECT_EQ(lines[0] + lines[721].substr(0, 4),
              "crankAngle,leverTipX,leverTipY,outputX,outputY,sixAxisX,sixAxisY,sixOffsetX,"
              "sixOffsetY360,");
    const auto missing = [](const auto& line) { return line.ends_with(",9999,9999,9999,9999"); };
    EXPECT_EQ(std::ranges::all_of(lines.begin() + 1, lines.end(), missing), args.size() == 2);
  }
}

}  // namespace
}  // namespace gyrenda
