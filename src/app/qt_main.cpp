// The desktop program: one main window; the program ends when it closes. Its only argument
// is the path of a numeric data file to open, as a file manager passes it.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QTranslator>

#include "app/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Gyrenda"));
  // The dialogs' own buttons in the user's language, where Qt's translations are installed.
  QTranslator qtTranslations;
  if (qtTranslations.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTranslations);
  gyrenda::MainWindow window;
  window.show();

  const QStringList args = QApplication::arguments().mid(1);
  if (args.size() == 1 && !args.front().startsWith(QLatin1Char('-'))) {
    const std::string path = args.front().toStdString();
    QTimer::singleShot(0, &window, [&window, path] { window.openDesign(path); });
  } else if (!args.isEmpty()) {
    QTimer::singleShot(0, &window, [&window, args] {
      window.platform().showMessage(
          "使い方: gyrenda [ファイル.GYR]\n次の引数は使えないので無視します: " +
          args.join(QLatin1Char(' ')).toStdString());
    });
  }
  return QApplication::exec();
}
