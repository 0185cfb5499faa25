// The linkage as a plain value: the thirteen parameters and everything derived from them that
// the drawing and the searches use.
#pragma once

#include "linkage/angle_table.h"
#include "linkage/parameters.h"

namespace gyrenda {

// The lengths of the four links and the six-bar link, times cos and sin of every table angle.
struct AngleTables {
  AngleTable crankTipX{}, crankTipY{}, leverX{}, leverY{}, couplerX{}, couplerY{};
  AngleTable sixLinkX{}, sixLinkY{};
};

// Where the fixed link may lie: the two bounds that keep it strictly inside the range where the
// loop closes, each moved one unit inwards. The lower bound may exceed the upper one.
struct FixedLinkRange {
  float lower = 0, upper = 0;
  friend bool operator==(const FixedLinkRange&, const FixedLinkRange&) = default;
};

struct Linkage {
  ParameterSet parameters{};
  // The output point as multiples of the coupler (along it and across it), and the six-bar
  // output point as multiples of the six-bar link; all four are negated offsets over lengths.
  float outAlongFactor = 0, outAcrossFactor = 0;
  float sixRatioX = 0, sixRatioY = 0;
  FixedLinkRange fixedLinkRange;
  AngleTables tables;

  float operator[](ParamName k) const { return parameters[k]; }
};

// The linkage of a parameter set. A length that is not positive leaves its two factors 0.
Linkage makeLinkage(const ParameterSet& parameters);

FixedLinkRange fixedLinkRange(const ParameterSet& parameters);
// The bounds the validation pass keeps the fixed link strictly between, before they are moved
// inwards: crank − lever + coupler and coupler − crank + lever, each rounded to single
// precision. Between them the crank turns fully.
FixedLinkRange fixedLinkBounds(const ParameterSet& parameters);

// The eight angle tables of a parameter set, in single precision as the searches use them.
AngleTables makeAngleTables(const ParameterSet& parameters);

}  // namespace gyrenda
