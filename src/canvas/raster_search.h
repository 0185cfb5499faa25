// The raster search shared by the four-bar and six-bar searches and their frame searches:
// for each crank angle, turn a link about its known end in 0.5° steps and take the first
// candidate whose far end lands on a pixel of the marker colour.
#pragma once

#include "app/form.h"

namespace gyrenda {

enum class SearchedLink {
  Coupler,   // about the crank tip, towards the lever half-circle
  SixBarLink // about the four-bar output point, towards the slide line
};

// How the crank moves on after a hit, beyond the loop's own 0.5° step.
enum class HitAdvance {
  SpeedStep,      // the analyses: + speedStep unless that would reach 360
  FourBarFrames,  // + 0.5 only when speedStep + crankAngle is below 0.5
  SixBarFrames,   // + 0.5 unless that would reach 360
};

struct SearchKind {
  SearchedLink link;
  HitAdvance advance;
  void (*onHit)(Form&);  // plots or stores the pose given by crankAngle and probeX/probeY
  std::int32_t* examined = nullptr;  // counts the crank steps whose link was scanned
};

// Runs one search over the crank angles 0 … 360, honouring the stop protocol.
void rasterSearch(Form& f, const SearchKind& kind);

// The table index of an unwrapped scan angle: one turn added or taken off, and anything
// still outside 0 … 360 reduced modulo 360 (0 and 360 stay as they are, indices 0 and 720).
int scanIndex(float scanAngle);

}  // namespace gyrenda
