// The load command's reader against any file content, followed by loading what it accepted.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "files/data_file_reader.h"
#include "fuzz_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace gyrenda;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  const auto values = readDataFileParams(in);
  // The reader takes the header and thirteen fields of at most a few hundred bytes each.
  fuzz::require(in.tellg() == std::streampos(-1) || in.tellg() <= std::streampos(64 * 1024),
                "reader read more than it needs");
  if (!values) return 0;
  for (float v : *values) fuzz::require(std::isfinite(v), "accepted a value that is not finite");
  Workbench bench;
  bench.start();
  bench.leaveBox(0);
  bench.controls().analyseSixBar = 1;
  bench.applyDesign(*values);
  fuzz::checkParameters(bench);
  fuzz::checkTables(bench);
  fuzz::checkDataFile(bench);
  fuzz::checkSpinBarStillValidates(bench);
  return 0;
}
