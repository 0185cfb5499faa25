// What the benchmarks share: the design the window opens with.
#pragma once

#include <string>

#include "linkage/parameters.h"

namespace gyrenda::bench {

inline ParameterSet defaultDesign() {
  ParameterSet p{};
  for (int k = 0; k < kParamCount; ++k) p[k] = std::stof(std::string(paramInfo()[k].defaultText));
  return p;
}

}  // namespace gyrenda::bench
