// The raster search shared by the four-bar and six-bar searches and their frame searches:
// for each crank angle, turn a link about its known end in 0.5° steps and take the first
// candidate whose far end lands on a pixel of the marker colour.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <utility>

#include "canvas/palette.h"
#include "canvas/raster.h"
#include "linkage/angle_table.h"
#include "linkage/world_point.h"

namespace gyrenda {

// How the crank moves on after a hit, beyond the loop's own 0.5° step.
enum class HitAdvance {
  SpeedStep,      // the analyses: + speedStep unless that would reach 360
  FourBarFrames,  // + 0.5 only when speedStep + crank angle is below 0.5
  SixBarFrames,   // + 0.5 unless that would reach 360
};

// The link that turns: its known end for each crank angle, its length times cos and sin of
// each scan angle, and the colour its far end looks for.
struct SearchedLink {
  const AngleTable& pivotX;
  const AngleTable& pivotY;
  const AngleTable& linkX;
  const AngleTable& linkY;
  Colour marker;
  // The six-bar link is driven by the four-bar output point: crank angles where that was not
  // found are passed over, and the window remembers the last hit's angle in whole degrees.
  bool drivenByOutputPoint;
};

struct SearchSettings {
  HitAdvance advance;
  bool optimise;  // narrow the scan to ±10° about the last hit
};

// A pose found: the crank angle, its table index, and the turning link's two ends.
struct Hit {
  float crankAngle;
  int index;
  WorldPoint pivot, farEnd;
};

struct SearchOutcome {
  bool stopped = false;  // 停止 ended the search before it passed 360
  std::int32_t examined = 0;  // crank steps whose link was scanned
};

// The table index of an unwrapped scan angle: one turn added or taken off, and anything
// still outside 0 … 360 reduced modulo 360 (0 and 360 stay as they are, indices 0 and 720).
inline int scanIndex(float scanAngle) {
  // Every scan angle is a multiple of 0.5, so twice the angle converts exactly.
  int half = static_cast<int>(2.0f * scanAngle);
  if (half < 0) half += 720;
  else if (half > 720) half -= 720;
  if (half < 0 || half > 720) {
    half %= 720;
    if (half < 0) half += 720;
  }
  return half;
}

namespace detail {

inline float advanceAfterHit(float crankAngle, HitAdvance advance, float speedStep) {
  switch (advance) {
    case HitAdvance::SpeedStep:
      if (static_cast<float>(speedStep + crankAngle) < 360.0f) crankAngle += speedStep;
      break;
    case HitAdvance::FourBarFrames:
      if (static_cast<float>(speedStep + crankAngle) < 0.5f) crankAngle += 0.5f;
      break;
    case HitAdvance::SixBarFrames:
      if (static_cast<double>(crankAngle) + 0.5 < 360.0) crankAngle += 0.5f;
      break;
  }
  return crankAngle;
}

}  // namespace detail

// One search over the crank angles 0 … 360, a crank angle a step, so that whoever runs it
// can let the user act between two steps (停止, the speed list) as between two yields.
// `onHit` plots or stores each pose; it may draw into the canvas, which later probes then read.
class RasterSearch {
 public:
  using OnHit = std::function<void(const Hit&)>;
  using OnEnd = std::function<void(const SearchOutcome&)>;
  RasterSearch(const Raster& canvas, const SearchedLink& link, SearchSettings settings,
               OnHit onHit, OnEnd onEnd = {})
      : canvas_(canvas), link_(link), settings_(settings), onHit_(std::move(onHit)),
        onEnd_(std::move(onEnd)) {}

  // Searches the crank angle next in turn and moves on; `speedStep` is the crank step after a
  // hit that the speed list asks for now. False once the search has ended.
  bool step(float speedStep) {
    if (ended_) return false;
    searchAt(speedStep);
    crankAngle_ += 0.5f;
    if (crankAngle_ > 360.0f) end();
    return !ended_;
  }
  // 停止: the search ends before the crank angle next in turn.
  void stop() {
    if (ended_) return;
    outcome_.stopped = true;
    end();
  }
  bool ended() const { return ended_; }
  // The crank angle the next step searches.
  float crankAngle() const { return crankAngle_; }
  const SearchOutcome& outcome() const { return outcome_; }

 private:
  void end() {
    ended_ = true;
    if (onEnd_) onEnd_(outcome_);
  }

  void searchAt(float speedStep) {
    const float crankAngle = crankAngle_;
    const int i = angleIndex(crankAngle);
    const SearchedLink& link = link_;
    if (link.drivenByOutputPoint && (link.pivotX[i] == kNoPose || link.pivotY[i] == kNoPose))
      return;
    ++outcome_.examined;

    const float delta = crankAngle - lastHitAngle_;
    const float scanEnd = delta + scanTo_;
    const float px = link.pivotX[i], py = link.pivotY[i];
    // Every scan angle is a multiple of 0.5 far inside float's exact range, so the scan runs
    // over whole half degrees: the same candidates in the same order, without a dependent
    // float add and a wrap per probe.
    const auto probeHits = [&](int j) {
      return canvas_.point(px + link.linkX[j], -(py + link.linkY[j])) == link.marker;
    };
    const int last = static_cast<int>(2.0f * scanEnd);
    int half = static_cast<int>(2.0f * (scanFrom_ - delta));
    const auto scanRun = [&](int to, int tableOffset) {
      for (; half <= to; ++half)
        if (probeHits(half + tableOffset)) return true;
      return false;
    };
    bool hit;
    if (half >= -720 && last <= 1440) {
      // At most one turn either way: three runs of consecutive table entries.
      hit = scanRun(std::min(last, -1), 720) || scanRun(std::min(last, 720), 0) ||
            scanRun(last, -720);
    } else {
      hit = false;
      for (; half <= last; ++half)
        if (probeHits(scanIndex(0.5f * static_cast<float>(half)))) {
          hit = true;
          break;
        }
    }
    if (!hit) return;
    const float scanAngle = 0.5f * static_cast<float>(half);
    const int j = scanIndex(scanAngle);
    onHit_(Hit{crankAngle, i, {px, py}, {px + link.linkX[j], py + link.linkY[j]}});
    if (settings_.optimise) {
      scanFrom_ = scanAngle - 10.0f;
      scanTo_ = scanAngle + 10.0f;
    }
    lastHitAngle_ = link.drivenByOutputPoint
                        ? static_cast<float>(static_cast<std::int16_t>(std::nearbyint(crankAngle)))
                        : crankAngle;
    crankAngle_ = detail::advanceAfterHit(crankAngle, settings_.advance, speedStep);
  }

  const Raster& canvas_;
  SearchedLink link_;
  SearchSettings settings_;
  OnHit onHit_;
  OnEnd onEnd_;
  SearchOutcome outcome_;
  // The four-bar searches remember the exact crank angle of the last hit, the six-bar ones
  // the angle rounded to a whole degree (halves to even).
  float lastHitAngle_ = 0.0f;
  float scanFrom_ = 0.0f, scanTo_ = 360.0f;
  float crankAngle_ = 0.0f;
  bool ended_ = false;
};

// A search run to its end at one speed, as a program without events runs it.
inline SearchOutcome searchToEnd(RasterSearch search, float speedStep) {
  while (search.step(speedStep)) {
  }
  return search.outcome();
}

}  // namespace gyrenda
