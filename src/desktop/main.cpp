// The desktop program: one main window; the program ends when it closes. Its argument is the
// path of a numeric data file to open, as a file manager passes it, or --help or --version.
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "desktop/main_window.h"
#include "desktop/command_line.h"
#include "desktop/language.h"

namespace {

bool print(std::FILE* stream, const QString& text) {
  const QByteArray bytes = text.toLocal8Bit();
  return std::fwrite(bytes.data(), 1, bytes.size(), stream) == std::size_t(bytes.size()) &&
         std::fflush(stream) == 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  using gyrenda::CommandLine;
  // Decided before the QApplication exists, since that needs a display: help, version and a
  // refused command line answer in a terminal without one, and no window opens for them.
  const CommandLine commandLine = [&] {
    const QCoreApplication parsing(argc, argv);
    return gyrenda::readCommandLine(QCoreApplication::arguments());
  }();
  switch (commandLine.action) {
    case CommandLine::Action::ShowHelp:
    case CommandLine::Action::ShowVersion:
      return print(stdout, commandLine.text) ? 0 : 1;
    case CommandLine::Action::Refuse:
      print(stderr, commandLine.text);
      return gyrenda::kUsageErrorStatus;
    case CommandLine::Action::OpenWindow:
      break;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Gyrenda"));
  // Ties the window to the installed desktop entry, whose name is the AppStream id.
  QGuiApplication::setDesktopFileName(QStringLiteral(GYRENDA_APP_ID));
  // The window in the language chosen in its Help menu or the desktop's, and the dialogs' own
  // buttons with it, where Qt's translations are installed.
  gyrenda::installSavedLanguage();
  gyrenda::MainWindow window;
  window.show();
  if (!commandLine.designPath.isEmpty()) {
    const std::string path = commandLine.designPath.toStdString();
    QTimer::singleShot(0, &window, [&window, path] { window.openDesign(path); });
  }
  return QApplication::exec();
}
