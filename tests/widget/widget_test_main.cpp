// The widget tests run on a real QApplication (the offscreen platform under CTest).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Tests close windows on purpose; that must not end the application under them.
  QApplication::setQuitOnLastWindowClosed(false);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
