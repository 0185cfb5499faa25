#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "files/atomic_file.h"
#include "files/qt_bitmap.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  gyrenda::CliServices services;
  services.writeBitmap = [](const gyrenda::Raster& canvas, const std::string& path) {
    const auto bytes = gyrenda::bitmapBytes(canvas);
    if (!bytes) return std::string("the image could not be encoded");
    return gyrenda::writeFileAtomically(path, *bytes);
  };
  return gyrenda::runCli(args, std::cout, std::cerr, services);
}
