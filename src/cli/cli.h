// The headless program: the same core driven from the command line.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "canvas/run_result.h"

namespace gyrenda {

// The descriptors behind "-": where --synthesize - reads, and what standard output is, so that
// another name for it (/dev/stdout, a link to the file it was sent to) is seen. Negative for
// none.
struct CliDescriptors {
  int input = -1;
  int output = -1;
};

// Runs the program for `args` (without the program name). Returns the exit status: 0, 1 when
// a file could not be read or written, 2 for a command line it does not understand.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           CliDescriptors descriptors);

// The frame tables as CSV: a header, then one row per crank half-degree.
std::string framesCsv(const RunResult& frames);

std::string cliUsage();

// Whether the arguments ask for the design sheet, whose text only Qt Gui's application object
// can lay out.
bool drawsSheet(const std::vector<std::string>& args);

// Why a save failed, in a few words.
std::string saveFailureInWords(int error);

}  // namespace gyrenda
