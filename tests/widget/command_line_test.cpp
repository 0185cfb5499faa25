// The desktop program's command line, and the design file it names opened in the window.
// (Help, version and refusals: the program itself, run without a display in program_test.)
#include <QLabel>
#include <QMessageBox>

#include "desktop/command_line.h"
#include "desktop/version_window.h"
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

// The version window names the version that --version prints: the build's, never one of its own.
TEST(CommandLineTest, TheVersionWindowNamesTheVersionThatVersionPrints) {
  const VersionWindow window;
  const QString printed = readCommandLine({"gyrenda", "--version"}).text;  // "gyrenda 0.4.0\n"
  EXPECT_EQ((window.findChild<QLabel*>("version")->text() + '\n').toStdString(),
            ("Gyrenda Version " + printed.section(' ', 1)).toStdString());
}

// The texts of the message boxes that `act` shows, each read and closed as a user would.
QStringList messageBoxesOf(const std::function<void()>& act) {
  QStringList texts;
  QTimer reader;
  QObject::connect(&reader, &QTimer::timeout, [&texts] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      texts << box->text();
      box->close();
    }
  });
  reader.start(10);
  act();
  return texts;
}

TEST_F(MainWindowTest, TheFileNamedOnTheCommandLineOpensAsTheLoadCommandOpensIt) {
  const auto open = [this](const char* path) {
    return messageBoxesOf([=, this] { window->openDesign(path); }) + platform->messages;
  };
  EXPECT_EQ(open(GYRENDA_TEST_DATA_DIR "/load_other_design.GYR"), QStringList());
  EXPECT_EQ(box(0)->text() + ' ' + box(12)->text(), "12 70");
  EXPECT_EQ(open(GYRENDA_TEST_DATA_DIR "/no-such-design.GYR"),
            QStringList("「" GYRENDA_TEST_DATA_DIR
                        "/no-such-design.GYR」はGyrenda数値データとして読み込めませんでした。"));
  EXPECT_EQ(box(0)->text(), "12");
}

}  // namespace
}  // namespace gyrenda::testing
