// The headless program: the same core driven from the command line.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/run_report.h"
#include "canvas/raster.h"
#include "files/drawing.h"

namespace gyrenda {

struct CliServices {
  // The canvas as the bytes of a BMP file, empty if the encoder failed. Left unset where no
  // image writer is linked in.
  std::function<std::optional<std::string>(const Raster&)> encodeBitmap;
  // The run report as JSON text. Left unset where no JSON writer is linked in.
  std::function<std::string(const RunReport&)> reportJson = nullptr;
  // The PNG of the canvas, or the SVG or DXF of the drawing; unset where no writer is linked in.
  std::function<std::optional<std::string>(ExportFormat, const Raster&, const Drawing&)>
      encodeExport = nullptr;
};

// Runs the program for `args` (without the program name). Returns the exit status.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const CliServices& services = {});

// The frame tables as CSV: a header, then one row per crank half-degree.
std::string framesCsv(const struct Form& f);

std::string cliUsage();

}  // namespace gyrenda
