// gyrenda-cli run in the test's own process.
#pragma once

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "cli/cli.h"

namespace gyrenda::test {

using Args = std::vector<std::string>;

// The exit status, standard output and standard error.
inline std::tuple<int, std::string, std::string> runProgramWith(const Args& args,
                                                                CliDescriptors descriptors) {
  std::ostringstream out, err;
  const int status = runCli(args, out, err, descriptors);
  return {status, out.str(), err.str()};
}

inline std::tuple<int, std::string, std::string> runProgram(const Args& args) {
  return runProgramWith(args, {});
}

}  // namespace gyrenda::test
