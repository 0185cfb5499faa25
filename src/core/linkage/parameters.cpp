#include "linkage/parameters.h"

#include <charconv>

namespace gyrenda {

const std::array<ParamInfo, kParamCount>& paramInfo() {
  static const std::array<ParamInfo, kParamCount> table{{
      {"crankRadius", "18", 1, 30000},
      {"leverRadius", "36", 1, 30000},
      {"couplerLength", "36", 1, 30000},
      {"fixedLinkLength", "31", -30000, 30000},
      {"outputOffsetX", "72", -30000, 30000},
      {"outputOffsetY", "0", -30000, 30000},
      {"sixLinkLength", "50", 1, 30000},
      {"sixOutputOffsetX", "100", -30000, 30000},
      {"sixOutputOffsetY", "30", -30000, 30000},
      {"slideStartX", "20", -30000, 30000},
      {"slideStartY", "55", -30000, 30000},
      {"slideEndX", "150", -30000, 30000},
      {"slideEndY", "55", -30000, 30000},
  }};
  return table;
}

std::optional<int> findParam(std::string_view nameOrIndex) {
  const auto& table = paramInfo();
  for (int k = 0; k < kParamCount; ++k)
    if (table[k].name == nameOrIndex) return k;
  int index = -1;
  const char* first = nameOrIndex.data();
  const char* last = first + nameOrIndex.size();
  const auto [ptr, ec] = std::from_chars(first, last, index);
  if (ec == std::errc() && ptr == last && index >= 0 && index < kParamCount) return index;
  return std::nullopt;
}

}  // namespace gyrenda
