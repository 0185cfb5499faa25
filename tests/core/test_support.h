// Shared helpers of the core tests: the window as it stands once open, a fake platform whose
// hooks can act in the middle of a run, and small readers of the canvas and of text.
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

// Records what the core asks of the platform; a hook acts at that moment, for instance to
// press 停止 from inside a search's yield.
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
  std::function<void()> onYield, onPause;
  std::function<void(const std::string&)> onMessage;
  int yields = 0;
  std::vector<std::string> messages;
  std::vector<std::chrono::microseconds> pauses;
};

// The window after start-up and the first validation pass: where every user action starts.
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

inline int countPixels(const Raster& r, Colour c) {
  int n = 0;
  for (int y = 0; y < Raster::kHeight; ++y)
    for (int x = 0; x < Raster::kWidth; ++x) n += r.at(x, y) == c;
  return n;
}

inline bool samePixels(const Raster& a, const Raster& b) {
  return std::equal(a.data(), a.data() + Raster::kStride * Raster::kHeight, b.data());
}

// The pixel under a world point (canvas y is world y negated); (-1, -1) off the image.
inline PixelPos worldPixel(const Form& f, float x, float y) {
  return f.canvas.toPixel(x, -y).value_or(PixelPos{-1, -1});
}

// The pixels of the colour of `from` reachable from it through edge neighbours.
inline std::vector<PixelPos> fourConnectedRun(const Raster& r, PixelPos from) {
  std::vector<PixelPos> run{from};
  std::vector<char> seen(Raster::kWidth * Raster::kHeight);
  seen[from.y * Raster::kWidth + from.x] = 1;
  for (std::size_t k = 0; k < run.size(); ++k)
    for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
      const PixelPos n{run[k].x + dx, run[k].y + dy};
      if (n.x < 0 || n.y < 0 || n.x >= Raster::kWidth || n.y >= Raster::kHeight) continue;
      if (seen[n.y * Raster::kWidth + n.x]++ == 0 && r.at(n.x, n.y) == r.at(from.x, from.y))
        run.push_back(n);
    }
  return run;
}

// Splits text at every `end`; a trailing terminator gives no empty last line.
inline std::vector<std::string> splitLines(const std::string& text, std::string_view end) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, stop; start < text.size(); start = stop + end.size()) {
    stop = std::min(text.find(end, start), text.size());
    lines.push_back(text.substr(start, stop - start));
  }
  return lines;
}

// The window with a six-bar link of 100 seen at zoom level 4 (neighbouring 0.5° candidates
// land on different pixels), a black canvas and no four-bar pose anywhere. A test drives the
// crank angles it wants examined and paints the candidates it wants hit in the slide colour.
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
    form.outputX[angleIndex(crank)] = p.x;
    form.outputY[angleIndex(crank)] = p.y;
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
    form.canvas.pset(slider(linkAngle).x, -slider(linkAngle).y, kSixBarMarker);
  }
  void paintEveryCandidate() {
    for (int j = 0; j < kAngleSteps; ++j) paint(j / 2.0f);
  }
};

// One hit as the window state shows it after the fact: the far end of the scanned link and
// where the hit moved the locus pen.
struct PenHit {
  float crankAngle;
  WorldPoint probe, axis, output;
};

// Collects the hits of one search from its yields: a hit moves the locus pen and leaves the
// found end of the link in probeX/probeY, during the crank step begun at the previous yield.
// Observe only while that search runs (its start resets the pen), then once after it has
// returned. A hit that leaves the pen where it was goes unseen.
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
