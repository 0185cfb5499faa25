// The desktop program's command line, and the design file it names opened in the window.
// (The programs themselves run without a display in program_test.)
#include "app/qt_command_line.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

using Action = CommandLine::Action;

TEST(CommandLineTest, TheFileIsTheOneArgumentThatIsNeitherAnOptionNorTheValueOfQtsOwn) {
  const std::pair<QStringList, QString> cases[] = {
      {{}, QString()},
      {{"design.GYR"}, "design.GYR"},
      {{"-platform", "offscreen", "design.GYR"}, "design.GYR"},
      {{"design.GYR", "-style", "fusion", "-reverse"}, "design.GYR"},
      {{"-style=fusion", "--display", ":1", "日本語.GYR"}, "日本語.GYR"},
      {{"--", "-design.GYR"}, "-design.GYR"}};
  for (const auto& [args, file] : cases) {
    const CommandLine line = readCommandLine(QStringList{"gyrenda"} + args);
    EXPECT_EQ(std::pair(line.action, line.designPath), std::pair(Action::OpenWindow, file))
        << args.join(' ').toStdString();
  }
}

TEST(CommandLineTest, HelpAndVersionWinOverAFileButNotOverAnUnknownOption) {
  const std::pair<QStringList, Action> cases[] = {
      {{"design.GYR", "--help"}, Action::ShowHelp},
      {{"-v", "design.GYR"}, Action::ShowVersion},
      {{"--help", "--version"}, Action::ShowHelp},
      {{"--version", "--bogus"}, Action::Refuse},
      {{"--help", "a.GYR", "b.GYR"}, Action::ShowHelp},
      {{"a.GYR", "b.GYR"}, Action::Refuse}};
  for (const auto& [args, action] : cases)
    EXPECT_EQ(readCommandLine(QStringList{"gyrenda"} + args).action, action)
        << args.join(' ').toStdString();
  const QString help = readCommandLine({"gyrenda", "-h"}).text;
  EXPECT_TRUE(help.contains(" [options] [file]\n")) << help.toStdString();
  EXPECT_FALSE(help.contains("platform")) << "Qt's own options are Qt's to document";
}

TEST_F(MainWindowTest, TheFileNamedOnTheCommandLineOpensAsTheLoadCommandOpensIt) {
  window->openDesign(GYRENDA_TEST_DATA_DIR "/load_other_design.GYR");
  EXPECT_EQ(box(0)->text() + ' ' + box(12)->text(), "12 70");
  EXPECT_TRUE(platform->messages.empty());
  window->openDesign(GYRENDA_TEST_DATA_DIR "/no-such-design.GYR");
  EXPECT_EQ(platform->messages,
            std::vector<std::string>{"「" GYRENDA_TEST_DATA_DIR
                                     "/no-such-design.GYR」はGyrenda数値データとして読み込めませんでした。"});
  EXPECT_EQ(box(0)->text(), "12");
}

}  // namespace
}  // namespace gyrenda::testing
