// The built programs as a user meets them in a terminal, run as child processes with no
// display to open a window on. (The manual pages and the versions of the packaging files are
// checked against the programs by scripts/check-package.sh.)
#include <gtest/gtest.h>

#include "run_without_display.h"

namespace {

// A Unix user types these in a terminal, where a message on standard error reaches them; no
// desktop launcher passes anything but one file. Help and version win over a file, not over
// an unknown option; Qt's own options and their values are left to Qt.
TEST(Programs, HelpVersionAndRefusalsAnswerInATerminalWithoutOpeningAWindow) {
  const std::string help = std::get<1>(run(GYRENDA_PROGRAM, {"--help"}));
  EXPECT_TRUE(help.starts_with("Usage: " GYRENDA_PROGRAM " [options] [file]\n")) << help;
  EXPECT_EQ(help.find("platform"), std::string::npos) << "Qt's options are Qt's to document";
  const Result shown{0, help, ""}, version{0, "gyrenda " GYRENDA_VERSION "\n", ""};
  const auto refused = [](const std::string& why) {
    return Result{2, "", "gyrenda: " + why + " (try --help)\n"};
  };
  const std::pair<QStringList, Result> cases[] = {
      {{"--help"}, shown}, {{"-h"}, shown}, {{"design.GYR", "--help"}, shown},
      {{"--help", "--version"}, shown}, {{"--help", "a.GYR", "b.GYR"}, shown},
      {{"--version"}, version}, {{"-v", "design.GYR"}, version},
      {{"-platform", "offscreen", "--version"}, version},
      {{"--bogus"}, refused("Unknown option 'bogus'")},
      {{"--version", "--bogus"}, refused("Unknown option 'bogus'")},
      {{"-x", "design.GYR"}, refused("Unknown option 'x'")},
      {{"a.GYR", "b.GYR"}, refused("one design file at most, got 2")},
      {{"--version", "-platform"}, refused("Missing value after '-platform'")}};
  for (const auto& [args, result] : cases)
    EXPECT_EQ(run(GYRENDA_PROGRAM, args), result) << args.join(' ').toStdString();
  EXPECT_EQ(run(GYRENDA_CLI_PROGRAM, {"--version"}),
            Result(0, "gyrenda-cli " GYRENDA_VERSION "\n", ""));
}

// Started without standard input or output (closed, not redirected), the headless program
// says so and fails, instead of a file it opens later taking the descriptor's number.
TEST(Programs, TheHeadlessProgramReportsAClosedStandardInputOrOutput) {
  const std::tuple<int, QStringList, std::string> cases[] = {
      {STDOUT_FILENO, {"--gyr", "-"}, "gyrenda-cli: standard output: write failed\n"},
      {STDIN_FILENO, {"--synthesize", "-"}, "gyrenda-cli: standard input: Bad file descriptor\n"}};
  for (const auto& [closing, args, says] : cases)
    EXPECT_EQ(run(GYRENDA_CLI_PROGRAM, args, closing), Result(1, "", says)) << closing;
}

}  // namespace
