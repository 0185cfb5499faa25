// The desktop program's command line: help, version, or the design file to open.
#pragma once

#include <QString>
#include <QStringList>

namespace gyrenda {

struct CommandLine {
  enum class Action { OpenWindow, ShowHelp, ShowVersion, Refuse };
  Action action = Action::OpenWindow;
  QString designPath;  // the file to open with the window; empty for none
  QString text;  // what help and version print on standard output, or why the line is refused
};

// Exit status for a refused command line, as gyrenda-cli gives for an unknown option.
inline constexpr int kUsageErrorStatus = 2;

// `args` as QCoreApplication::arguments() gives them, the program's path first. Needs a
// QCoreApplication, but no QApplication: nothing here touches a display.
CommandLine readCommandLine(const QStringList& args);

}  // namespace gyrenda
