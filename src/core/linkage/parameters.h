// The linkage parameter set: thirteen single-precision numbers that describe the mechanism.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace gyrenda {

// Named indices of the parameter vector (rows 0-5 the four-bar, 6-12 the six-bar).
enum ParamName : int {
  crankRadius = 0,
  leverRadius = 1,
  couplerLength = 2,
  fixedLinkLength = 3,
  outputOffsetX = 4,
  outputOffsetY = 5,
  sixLinkLength = 6,
  sixOutputOffsetX = 7,
  sixOutputOffsetY = 8,
  slideStartX = 9,
  slideStartY = 10,
  slideEndX = 11,
  slideEndY = 12,
};

inline constexpr int kParamCount = 13;

// The thirteen parameters in the order of ParamName.
using ParameterSet = std::array<float, kParamCount>;

// Every parameter is kept within this range by the validation pass.
inline constexpr float kParamLimit = 30000.0f;

struct ParamInfo {
  std::string_view name;         // the name used in code and on the command line
  std::string_view defaultText;  // what the entry box holds at start-up
  int spinMin;                   // lower end of the spin bar
  int spinMax;                   // upper end of the spin bar
};

const std::array<ParamInfo, kParamCount>& paramInfo();

// Looks a parameter up by its name or by its index written as digits ("crankRadius", "0").
std::optional<int> findParam(std::string_view nameOrIndex);

}  // namespace gyrenda
