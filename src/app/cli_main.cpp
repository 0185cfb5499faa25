#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "app/qt_report_json.h"
#include "files/qt_bitmap.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  gyrenda::CliServices services;
  services.encodeBitmap = gyrenda::bitmapBytes;
  services.reportJson = gyrenda::reportJson;
  services.encodeExport = gyrenda::exportBytes;
  return gyrenda::runCli(args, std::cout, std::cerr, services);
}
