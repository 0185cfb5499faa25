#include "desktop/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace gyrenda {
namespace {

// Options that QApplication itself takes from every Qt program's command line (-platform,
// -style, ...). The window's QApplication is created only after this parse, so they are known
// here as well, hidden from the help: they are Qt's, and a value such as the "offscreen" of
// "-platform offscreen" must not be taken for the design file.
QList<QCommandLineOption> qtGenericOptions() {
  QList<QCommandLineOption> options;
  for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                           "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                           "display", "geometry", "style", "stylesheet"})
    options.append(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
  for (const char* name : {"reverse", "widgetcount"})
    options.append(QCommandLineOption(QString::fromLatin1(name)));
  for (QCommandLineOption& option : options) option.setFlags(QCommandLineOption::HiddenFromHelp);
  return options;
}

}  // namespace

CommandLine readCommandLine(const QStringList& args) {
  QCommandLineParser parser;
  // Qt's own options begin with one dash ("-platform"), so one dash starts a long option.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(QStringLiteral(
      "Design crank-rocker four-bar linkages and their six-bar slider extension in a window."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help and exit."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("Show the version and exit."));
  parser.addOptions({help, version});
  parser.addOptions(qtGenericOptions());
  parser.addPositionalArgument(
      QStringLiteral("file"),
      QStringLiteral("A numeric data file (*.GYR) to open, as the load command does."),
      QStringLiteral("[file]"));

  const auto refuse = [](QString why) {
    if (why.endsWith(QLatin1Char('.'))) why.chop(1);  // Qt's texts are sentences
    return CommandLine{CommandLine::Action::Refuse, QString(),
                       QStringLiteral("gyrenda: %1 (try --help)\n").arg(why)};
  };
  if (!parser.parse(args)) return refuse(parser.errorText());
  if (parser.isSet(help)) return {CommandLine::Action::ShowHelp, QString(), parser.helpText()};
  if (parser.isSet(version))
    return {CommandLine::Action::ShowVersion, QString(),
            QStringLiteral("gyrenda " GYRENDA_VERSION "\n")};
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1)
    return refuse(QStringLiteral("one design file at most, got %1").arg(files.size()));
  return {CommandLine::Action::OpenWindow, files.value(0), QString()};
}

}  // namespace gyrenda
