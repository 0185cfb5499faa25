// The built programs as a user meets them in a terminal, run as child processes with no
// display to open a window on, and the packaging files that describe them.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

const std::string kVersion = GYRENDA_VERSION;

struct Result {
  int status = -1;  // the exit status, or -1 when the program did not exit normally
  std::string out, err;
};

std::string readAll(std::FILE* file) {
  std::rewind(file);
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  std::fclose(file);
  return text;
}

// Runs the program in the test's environment less every variable that names a display or a Qt
// platform: if the program opened a window, Qt would find no display and abort.
Result run(const char* program, std::vector<std::string> args) {
  std::vector<char*> env;
  for (char** e = environ; *e; ++e) {
    const std::string_view entry(*e);
    if (!entry.starts_with("DISPLAY=") && !entry.starts_with("WAYLAND_DISPLAY=") &&
        !entry.starts_with("QT_QPA_PLATFORM="))
      env.push_back(*e);
  }
  env.push_back(nullptr);
  args.insert(args.begin(), program);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fileno(out), 1);
  posix_spawn_file_actions_adddup2(&actions, fileno(err), 2);
  pid_t pid = 0;
  Result result;
  if (posix_spawn(&pid, program, &actions, nullptr, argv.data(), env.data()) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  result.out = readAll(out);
  result.err = readAll(err);
  return result;
}

std::string fileText(const std::string& path) {
  std::ifstream in(path);
  EXPECT_TRUE(in) << path;
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The long options a text names ("--load"); in a manual page "\-\-load".
std::set<std::string> longOptions(std::string text) {
  text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
  std::set<std::string> options;
  const std::regex option(R"(--[a-z][a-z-]*)");
  for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it)
    options.insert(it->str());
  return options;
}

const std::string kManualPages = GYRENDA_PACKAGING_DIR "/man/";

TEST(Programs, HelpAndVersionAnswerOnStandardOutputWithoutADisplay) {
  for (const char* help : {"--help", "-h"}) {
    const Result r = run(GYRENDA_PROGRAM, {help});
    EXPECT_EQ(r.status, 0) << help;
    EXPECT_EQ(r.err, "") << help;
    EXPECT_TRUE(r.out.starts_with("Usage: " GYRENDA_PROGRAM " [options] [file]\n")) << r.out;
    EXPECT_EQ(longOptions(r.out), (std::set<std::string>{"--help", "--version"})) << r.out;
  }
  // Qt's own options and their values are left to Qt, which takes them only with a window.
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--version"}, {"-v"}, {"-platform", "offscreen", "--version"}}) {
    const Result r = run(GYRENDA_PROGRAM, args);
    EXPECT_EQ(std::tuple(r.status, r.out, r.err), std::tuple(0, "gyrenda " + kVersion + "\n", ""))
        << args.front();
  }
  EXPECT_EQ(run(GYRENDA_CLI_PROGRAM, {"--version"}).out, "gyrenda-cli " + kVersion + "\n");
}

// A Unix user types these in a terminal, where a message on standard error reaches them; no
// desktop launcher passes anything but one file.
TEST(Programs, TheDesktopProgramRefusesAnUnknownOptionOrASecondFileWithoutOpeningAWindow) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--bogus"}, "gyrenda: Unknown option 'bogus' (try --help)\n"},
      {{"-x", "design.GYR"}, "gyrenda: Unknown option 'x' (try --help)\n"},
      {{"a.GYR", "b.GYR"}, "gyrenda: one design file at most, got 2 (try --help)\n"},
      {{"--version", "-platform"}, "gyrenda: Missing value after '-platform' (try --help)\n"}};
  for (const auto& [args, message] : cases) {
    const Result r = run(GYRENDA_PROGRAM, args);
    EXPECT_EQ(std::tuple(r.status, r.out, r.err), std::tuple(2, "", message)) << args.front();
  }
}

// The English pages and their Japanese translations document the options that --help lists,
// no more and no fewer.
TEST(Programs, EveryManualPageDocumentsTheOptionsOfItsProgramsHelp) {
  for (const auto& [program, page] : {std::pair(GYRENDA_PROGRAM, "gyrenda.1"),
                                      std::pair(GYRENDA_CLI_PROGRAM, "gyrenda-cli.1")}) {
    const std::set<std::string> help = longOptions(run(program, {"--help"}).out);
    ASSERT_FALSE(help.empty()) << program;
    for (const std::string language : {"", "ja/"})
      EXPECT_EQ(longOptions(fileText(kManualPages + language + page)), help) << language << page;
  }
}

TEST(Packaging, TheChangelogTheMetadataAndTheManualPagesCarryTheProjectVersion) {
  const std::string changelog = fileText(GYRENDA_PACKAGING_DIR "/changelog");
  EXPECT_TRUE(changelog.starts_with("gyrenda (" + kVersion + ") ")) << changelog.substr(0, 40);
  const std::string metainfo = fileText(GYRENDA_PACKAGING_DIR "/gyrenda.metainfo.xml.in");
  const auto release = metainfo.find("<release ");
  ASSERT_NE(release, std::string::npos);
  const std::string latest = "<release version=\"" + kVersion + "\"";
  EXPECT_EQ(metainfo.substr(release, latest.size()), latest);
  for (const char* page : {"gyrenda.1", "gyrenda-cli.1", "ja/gyrenda.1", "ja/gyrenda-cli.1"}) {
    const std::string text = fileText(kManualPages + page);
    EXPECT_NE(text.find("\"Gyrenda " + kVersion + "\""), std::string::npos) << page;
  }
}

}  // namespace
