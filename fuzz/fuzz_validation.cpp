// Random parameter texts, zoom and pan, each box validated as the user leaves it, then one full
// analysis with the six-bar: the repaired set, the tables and the saved file keep their form.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace gyrenda;
  if (size < 4) return 0;
  Workbench bench;
  bench.start();
  bench.leaveBox(0);
  bench.setView({2 + data[0] % 3, data[1] % 61 * 10 - 300, data[2] % 61 * 10 - 300});
  ControlState& controls = bench.controls();
  controls.optimiseFourBar = data[3] & 1;
  controls.drawImmediately = (data[3] >> 1) & 1;
  controls.analyseSixBar = 1;
  bench.selectSpeed((data[3] >> 2) % 3);

  // The rest: "index:text" records separated by newlines, applied in order.
  const std::string rest(reinterpret_cast<const char*>(data) + 4, size - 4);
  std::size_t pos = 0;
  int edits = 0;
  while (pos < rest.size() && edits < 40) {
    std::size_t end = rest.find('\n', pos);
    if (end == std::string::npos) end = rest.size();
    const std::string record = rest.substr(pos, end - pos);
    pos = end + 1;
    if (record.empty()) continue;
    const int box = static_cast<unsigned char>(record[0]) % kParamCount;
    controls.boxText[box] = record.substr(1);
    bench.leaveBox(box);
    fuzz::checkParameters(bench);
    ++edits;
  }
  bench.execute();
  fuzz::checkParameters(bench);
  fuzz::checkTables(bench);
  fuzz::checkDataFile(bench);
  fuzz::checkSpinBarStillValidates(bench);
  return 0;
}
