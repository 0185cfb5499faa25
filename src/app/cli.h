// The headless program: the same core driven from the command line.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "canvas/raster.h"

namespace gyrenda {

struct CliServices {
  // Writes the canvas as a bitmap; returns an empty string or what went wrong. Left empty
  // where no image writer is linked in.
  std::function<std::string(const Raster&, const std::string& path)> writeBitmap;
};

// Runs the program for `args` (without the program name). Returns the exit status.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const CliServices& services = {});

// The frame tables as CSV: a header, then one row per crank half-degree.
std::string framesCsv(const struct Form& f);

std::string cliUsage();

}  // namespace gyrenda
