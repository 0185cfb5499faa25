// The desktop program's command line, and the design file it names opened in the window.
// (Help, version and refusals: the program itself, run without a display in program_test.)
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>

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

// Named on the command line or picked in the load command's dialog, a file that loads nothing
// is reported in a message box that names it and says why. (Which files load, and a cancelled
// dialog: file_commands_test.)
TEST_F(MainWindowTest, TheFileNamedOnTheCommandLineOpensAsTheLoadCommandOpensIt) {
  QTemporaryDir dir;
  const QString folder = dir.filePath("folder.GYR");
  QDir().mkdir(folder);
  const QString unreadable = "」はGyrenda数値データとして読み込めませんでした。\n",
                notData = "Gyrendaの数値データファイルではないか、パラメータの行が途中で切れているか正しくありません。";
  const std::tuple<const char*, QString, QString, const char*> cases[] = {  // how, path: told, boxes
      {"line", GYRENDA_TEST_DATA_DIR "/load_other_design.GYR", "", "12 70"},
      {"line", GYRENDA_TEST_DATA_DIR "/no-such-design.GYR", "ファイルがありません。", "12 70"},
      {"menu", GYRENDA_TEST_DATA_DIR "/load_twelve_numbers.GYR", notData, "12 70"},
      {"line", folder, "ふつうのファイルではありません。", "12 70"}};
  for (const auto& [how, path, told, boxes] : cases) {
    settle();  // the analysis of the design loaded before
    platform->messages.clear();
    platform->openPath = path.isEmpty() ? std::nullopt : std::optional(path.toStdString());
    const QStringList shown = messageBoxesOf([&, how] {
      if (how == std::string("line")) window->openDesign(path.toStdString());
      else action("load")->trigger();
    });
    EXPECT_EQ(shown + platform->messages,
              told.isEmpty() ? QStringList() : QStringList("「" + path + unreadable + told))
        << how << ' ' << path.toStdString();
    EXPECT_EQ((box(0)->text() + ' ' + box(12)->text()).toStdString(), boxes);
  }
}

}  // namespace
}  // namespace gyrenda::testing
