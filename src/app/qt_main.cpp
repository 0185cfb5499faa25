// The desktop program: one main window; the program ends when it closes.
#include <QApplication>

#include "app/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Gyrenda"));
  gyrenda::MainWindow window;
  window.show();
  return QApplication::exec();
}
