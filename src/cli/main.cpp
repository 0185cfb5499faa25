#include <QCoreApplication>
#include <QGuiApplication>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace {

// A standard descriptor the program was started without is held by /dev/null opened the
// wrong way round: no file the program opens later takes its number (the candidates would go
// into it), and reading or writing it fails as on a closed one, so the failure is reported.
void holdClosedStandardDescriptors() {
  for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
    if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF)
      ::open("/dev/null", (fd == STDIN_FILENO ? O_WRONLY : O_RDONLY) | O_CLOEXEC);
}

// The headless platform asks where runtime files go, and says so on standard error where the
// session names no such folder; the program keeps none, so that line would only mislead.
QtMessageHandler qtHandler = nullptr;
void quietAboutRuntimeFolder(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (!text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) qtHandler(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
  holdClosedStandardDescriptors();
  std::ios::sync_with_stdio(false);
  // The arguments as the system gave them, byte for byte; the application object only serves
  // Qt's own needs (image plugins, the parser's texts).
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (gyrenda::drawsSheet(args)) {
    // Fonts and text layout without a display: the headless platform of Qt Gui.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qtHandler = qInstallMessageHandler(quietAboutRuntimeFolder);
    const QGuiApplication application(argc, argv);
    return gyrenda::runCli(args, std::cout, std::cerr, {STDIN_FILENO, STDOUT_FILENO});
  }
  const QCoreApplication application(argc, argv);
  return gyrenda::runCli(args, std::cout, std::cerr, {STDIN_FILENO, STDOUT_FILENO});
}
