// SplitMix64: seeded streams of random bits for the searches and the Monte Carlo, the same on
// every platform and independent of which thread draws them.
#pragma once

#include <cstdint>

namespace gyrenda {

// The generator's step between two draws.
inline constexpr std::uint64_t kSplitMixGamma = 0x9E3779B97F4A7C15ULL;

// Its finaliser: 64 well-mixed bits from any 64.
inline std::uint64_t mixBits(std::uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

// A draw in [0, 1) from the upper 53 bits.
inline double unitFromBits(std::uint64_t bits) {
  return static_cast<double>(bits >> 11) * 0x1.0p-53;
}

}  // namespace gyrenda
