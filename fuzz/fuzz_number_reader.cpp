// The lenient number reader against any text: always finite, and the writer's text reads back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "linkage/number_text.h"
#include "fuzz_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace gyrenda;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const float v = readNumber(text);
  fuzz::require(std::isfinite(v), "reader returned a value that is not finite");
  for (const std::string& written : {formatBoxNumber(v), formatFileNumber(v)}) {
    const float back = readNumber(written);
    // Seven significant digits: the text stands for the value to within a few parts in 10^7.
    fuzz::require(std::fabs(back - v) <= 1e-6f * std::fabs(v) + 1e-37f, "written text reads back wrong");
  }
  fuzz::require(fuzz::isFileNumber(formatFileNumber(v)), "file number text malformed");
  return 0;
}
