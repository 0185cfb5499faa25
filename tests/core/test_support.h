// Shared helpers of the core tests: a window as it stands once it is open, a fake platform
// whose yield can act in the middle of a run, and small readers of the canvas and of text.
#pragma once

#include <algorithm>
#include <array>
#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/form.h"
#include "app/startup.h"
#include "app/validation.h"
#include "canvas/locus.h"
#include "canvas/raster.h"

namespace gyrenda::test {

// A platform that records what the core asks of it. Each hook may be replaced by a test to
// act at that moment, for instance to press 停止 from inside a search's yield.
class FakePlatform : public Platform {
 public:
  void processEvents() override {
    ++yields;
    if (onYield) onYield();
  }
  void showMessage(const std::string& text) override {
    messages.push_back(text);
    if (onMessage) onMessage(text);
  }
  void pause(std::chrono::microseconds length) override {
    pauses.push_back(length);
    if (onPause) onPause();
  }

  std::function<void()> onYield;
  std::function<void(const std::string&)> onMessage;
  std::function<void()> onPause;

  int yields = 0;
  std::vector<std::string> messages;
  std::vector<std::chrono::microseconds> pauses;
};

// The main window after start-up and the first focus change out of box 0, which runs the
// first validation pass: the state every user action starts from. P is the platform, a
// FakePlatform or a test's own extension of it.
template <typename P>
struct OpenWindowWith {
  OpenWindowWith() {
    Form_Load(form);
    parameter_LostFocus(form, 0);
  }
  P platform;
  Form form{&platform};
};
using OpenWindow = OpenWindowWith<FakePlatform>;

// Types `text` into box k and leaves it.
inline void leaveBox(Form& f, int k, std::string_view text) {
  f.parameterText[k] = std::string(text);
  parameter_LostFocus(f, k);
}

template <typename Pred>
int countPixels(const Raster& r, Pred pred) {
  int n = 0;
  for (int y = 0; y < Raster::kHeight; ++y)
    for (int x = 0; x < Raster::kWidth; ++x)
      if (pred(r.at(x, y))) ++n;
  return n;
}

inline int countPixels(const Raster& r, Colour c) {
  return countPixels(r, [c](Colour p) { return p == c; });
}

// Locus and crank-dot colours.
inline bool isQuadrantColour(Colour c) { return c >= 11 && c <= 15; }

// The pixel under a world point (canvas y is world y negated).
inline PixelPos worldPixel(const Form& f, float x, float y) {
  const auto p = f.canvas.toPixel(x, -y);
  return p ? *p : PixelPos{-1, -1};
}

// Splits text at every occurrence of `end`; a trailing terminator gives no empty last line.
inline std::vector<std::string> splitLines(const std::string& text, std::string_view end) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto pos = text.find(end, start);
    if (pos == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, pos - start));
    start = pos + end.size();
  }
  return lines;
}

// --- Six-bar searches on a canvas prepared by hand, and the hits of a search -------------

// The window with a six-bar link of 100 seen at zoom level 4, so that neighbouring 0.5°
// candidates of the link land on different pixels, on a black canvas and with no four-bar
// pose anywhere. A test puts driving points at the crank angles it wants examined and
// paints the candidates it wants hit in the slide line's colour.
struct HandMadeSixBar : OpenWindow {
  static constexpr WorldPoint kDriving{100, 20};

  explicit HandMadeSixBar(std::string_view along = "0", std::string_view across = "0") {
    form.zoomLevel = 4;
    leaveBox(form, sixLinkLength, "100");
    leaveBox(form, sixOutputOffsetX, along);
    leaveBox(form, sixOutputOffsetY, across);
    mXmYcls(form);
    form.canvas.clear();
  }
  // Makes `p` the four-bar output point at crank angle `crank`.
  void drive(float crank, WorldPoint p = kDriving) {
    const int i = angleIndex(crank);
    form.outputX[i] = p.x;
    form.outputY[i] = p.y;
  }
  void driveEverywhere() {
    for (int i = 0; i < kAngleSteps; ++i) drive(i / 2.0f);
  }
  // The slider end of the link at `linkAngle` about the driving point.
  WorldPoint slider(float linkAngle) const {
    const int j = angleIndex(linkAngle);
    return {kDriving.x + form.sixLinkX[j], kDriving.y + form.sixLinkY[j]};
  }
  void paint(float linkAngle) {
    const WorldPoint s = slider(linkAngle);
    form.canvas.pset(s.x, -s.y, kSixBarMarker);
  }
  void paintEveryCandidate() {
    for (int j = 0; j < kAngleSteps; ++j) paint(j / 2.0f);
  }
};

inline bool samePixels(const Raster& a, const Raster& b) {
  return std::equal(a.data(), a.data() + Raster::kStride * Raster::kHeight, b.data());
}

// One hit as the window state shows it after the fact.
struct PenHit {
  float crankAngle;
  WorldPoint probe;   // the far end of the scanned link
  WorldPoint axis;    // where the hit moved the locus pen
  WorldPoint output;
};

// Collects the hits of one search from its yields: a hit moves the locus pen to the pose's
// axis and output points and leaves the found end of the link in probeX/probeY, during the
// crank step that began at the previous yield. Observe only while that search runs (its
// start resets the pen), then once more after it has returned. A hit that leaves the pen
// exactly where it was goes unseen.
class PenHitLog {
 public:
  void observe(const Form& f) {
    const std::array<float, 4> pen{f.prevAxisX, f.prevAxisY, f.prevOutX, f.prevOutY};
    if (watching_ && pen != pen_)
      hits.push_back({crank_, {f.probeX, f.probeY}, {pen[0], pen[1]}, {pen[2], pen[3]}});
    watching_ = true;
    pen_ = pen;
    crank_ = f.crankAngle;
  }
  std::vector<PenHit> hits;

 private:
  bool watching_ = false;
  std::array<float, 4> pen_{};
  float crank_ = 0;
};

}  // namespace gyrenda::test
