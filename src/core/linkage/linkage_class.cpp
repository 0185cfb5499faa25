#include "linkage/linkage_class.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace gyrenda {

const char* linkageClassName(LinkageClass c) {
  switch (c) {
    case LinkageClass::CrankRocker: return "crank-rocker";
    case LinkageClass::DoubleCrank: return "double-crank";
    case LinkageClass::DoubleRocker: return "double-rocker";
    case LinkageClass::RockerCrank: return "rocker-crank";
    case LinkageClass::TripleRocker: return "triple-rocker";
    case LinkageClass::ChangePoint: return "change-point";
    case LinkageClass::CannotBeAssembled: return "cannot-be-assembled";
  }
  return "";
}

LinkageKind classifyLinkage(double crank, double coupler, double lever, double fixedLink) {
  const double fixed = std::abs(fixedLink);
  // The lengths are floats typed in decimal: each was rounded once, by at most half a float
  // epsilon of its size, so two sums meant equal (12.7 + 40.9 and 30.3 + 23.3) may differ by up
  // to half an epsilon of all four together. Twice that counts as equal: a float keeps about
  // seven digits of what was typed, and a difference this small is in the eighth.
  const double tolerance =
      std::numeric_limits<float>::epsilon() * (crank + coupler + lever + fixed);
  const auto atLeast = [&](double x, double y) { return x >= y - tolerance; };
  // The crank turns fully when the distance from its tip to the lever pivot, which runs from
  // |fixed − crank| to fixed + crank, never leaves the range the coupler and lever can span.
  const bool turns = atLeast(coupler + lever, fixed + crank) &&
                     atLeast(std::abs(fixed - crank), std::abs(coupler - lever));
  const std::array<double, 4> links{crank, coupler, lever, fixed};
  const auto [shortest, longest] = std::ranges::minmax_element(links);
  const double total = crank + coupler + lever + fixed;
  if (!atLeast(total - *longest, *longest)) return {LinkageClass::CannotBeAssembled, false};
  const double others = total - *shortest - *longest;
  if (!atLeast(others, *shortest + *longest)) return {LinkageClass::TripleRocker, turns};
  if (atLeast(*shortest + *longest, others)) return {LinkageClass::ChangePoint, turns};
  // A Grashof linkage has one shortest link: a tie would make the sum of the other two at
  // least the shortest plus the longest.
  static constexpr std::array kByShortest{LinkageClass::CrankRocker, LinkageClass::DoubleRocker,
                                          LinkageClass::RockerCrank, LinkageClass::DoubleCrank};
  return {kByShortest[static_cast<std::size_t>(shortest - links.begin())], turns};
}

}  // namespace gyrenda
