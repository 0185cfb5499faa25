#include <QCoreApplication>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  // The arguments as the system gave them, byte for byte; the application object only serves
  // Qt's own needs (image plugins, the parser's texts).
  const std::vector<std::string> args(argv + 1, argv + argc);
  const QCoreApplication application(argc, argv);
  return gyrenda::runCli(args, std::cout, std::cerr);
}
