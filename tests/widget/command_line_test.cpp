// The desktop program's command line, and the design file it names opened in the window.
// (Help, version and refusals: the program itself, run without a display in program_test.)
#include "app/qt_command_line.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

TEST(CommandLineTest, TheFileIsTheOneArgumentThatIsNeitherAnOptionNorTheValueOfQtsOwn) {
  const std::pair<QStringList, QString> cases[] = {
      {{}, QString()}, {{"design.GYR"}, "design.GYR"}, {{"--", "-design.GYR"}, "-design.GYR"},
      {{"-platform", "offscreen", "design.GYR"}, "design.GYR"},
      {{"design.GYR", "-style", "fusion", "-reverse"}, "design.GYR"},
      {{"-style=fusion", "--display", ":1", "日本語.GYR"}, "日本語.GYR"}};
  for (const auto& [args, file] : cases) {
    const CommandLine line = readCommandLine(QStringList{"gyrenda"} + args);
    EXPECT_EQ(line.action, CommandLine::Action::OpenWindow) << args.join(' ').toStdString();
    EXPECT_EQ(line.designPath, file);
  }
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
