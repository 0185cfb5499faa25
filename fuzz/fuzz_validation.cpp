// Random parameter texts, zoom and pan, each box validated as the user leaves it, then one full
// analysis with the six-bar: the repaired set, the tables and the saved file keep their form.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/commands.h"
#include "app/startup.h"
#include "app/validation.h"
#include "fuzz_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace gyrenda;
  if (size < 4) return 0;
  Form f;
  Form_Load(f);
  parameter_LostFocus(f, 0);
  f.zoomLevel = static_cast<std::int16_t>(2 + data[0] % 3);
  f.HScroll1 = static_cast<int>(data[1] % 61) * 10 - 300;
  f.VScroll1 = static_cast<int>(data[2] % 61) * 10 - 300;
  f.Check2 = data[3] & 1;
  f.Check4 = (data[3] >> 1) & 1;
  f.Check3 = 1;
  selectSpeed(f, (data[3] >> 2) % 3);

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
    f.parameterText[box] = record.substr(1);
    parameter_LostFocus(f, box);
    fuzz::checkParameters(f);
    ++edits;
  }
  Command1_Click(f);
  fuzz::checkParameters(f);
  fuzz::checkTables(f);
  fuzz::checkDataFile(f);
  return 0;
}
