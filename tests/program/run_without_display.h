// A built program run as a child process without a display or a Qt platform, as a build server
// or a terminal without a desktop runs it: a program that opened a window would abort.
#pragma once

#include <QProcess>
#include <unistd.h>

#include <string>
#include <tuple>

// The exit status (-1 when the program did not exit normally), standard output and error.
using Result = std::tuple<int, std::string, std::string>;

// `closing` closes one of the child's standard descriptors before the program starts.
inline Result run(const QString& program, const QStringList& args, int closing = -1) {
  QProcess p;
  if (closing >= 0) p.setChildProcessModifier([closing] { ::close(closing); });
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
  p.setProcessEnvironment(env);
  p.start(program, args);
  p.waitForFinished(120000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}
