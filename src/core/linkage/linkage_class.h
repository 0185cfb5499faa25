// The class of a four-bar linkage by Grashof's rule, and whether its crank turns fully.
#pragma once

namespace gyrenda {

// The linkage's class by Grashof's rule, named by which link is the shortest. RockerCrank is
// the inversion whose lever is the shortest link: the lever turns fully, the crank rocks.
// CannotBeAssembled: the longest link is longer than the other three together.
enum class LinkageClass {
  CrankRocker,
  DoubleCrank,
  DoubleRocker,
  RockerCrank,
  TripleRocker,
  ChangePoint,
  CannotBeAssembled,
};

// "crank-rocker", "double-crank", "double-rocker", "rocker-crank", "triple-rocker",
// "change-point", "cannot-be-assembled".
const char* linkageClassName(LinkageClass c);

struct LinkageKind {
  LinkageClass linkageClass;
  bool crankTurnsFully;  // the loop closes at every crank angle
  friend bool operator==(const LinkageKind&, const LinkageKind&) = default;
};
// Sums of lengths that agree to within the rounding of single-precision input count as equal.
LinkageKind classifyLinkage(double crank, double coupler, double lever, double fixedLink);

}  // namespace gyrenda
