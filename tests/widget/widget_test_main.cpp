// The widget tests run on a real QApplication (the offscreen platform under CTest).
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // The user's own settings stay untouched: the tests keep theirs in a folder of their own.
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  // Tests close windows on purpose; that must not end the application under them.
  QApplication::setQuitOnLastWindowClosed(false);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
