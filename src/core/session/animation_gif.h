// The motion as an animated GIF: one crank turn, each frame the canvas of an analysis (the
// construction and the paths) with the linkage drawn over it at that frame's crank angle, as
// the animation draws it from its frame tables but without erasing the pose before.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "canvas/raster.h"
#include "canvas/run_result.h"
#include "canvas/view.h"
#include "linkage/linkage.h"
#include "numeric/parallel_for.h"
#include "session/run.h"

namespace gyrenda {

struct AnimationGifOptions {
  double crankStep = 5.0;     // degrees between frames: a multiple of 0.5 from 0.5 to 180
  int delayCentiseconds = 0;  // how long a frame stays; 0: one turn in about three seconds
  bool halfSize = false;      // half the canvas across and down (halfSizePixels)
  bool loopForever = true;    // else the turn plays once
  RunSettings run;            // the six-bar and the searches' optimisation; its kind is not read
  float speedStep = 0.5f;     // the crank step after a hit of the analysis that draws the paths
};

inline constexpr double kGifTurnSeconds = 3.0;

// Whether the frames can step by `degrees`: the frame tables hold every half degree.
bool validGifCrankStep(double degrees);
// The frames of one turn at that step: 0°, step, 2·step … below 360°.
int gifFrameCount(double crankStep);
// The delay that shows one turn in about three seconds, at least the 2 hundredths that
// browsers still honour.
int defaultGifDelay(int frames);

// A picture of each crank angle of one design: the canvas of its analysis, searched once, and
// the frame tables of its animation, searched once on the construction as the animation does.
class TurnPictures {
 public:
  TurnPictures(const Linkage& linkage, const View& view, const RunSettings& settings,
               float speedStep);
  // The picture at table index i (crank angle i/2) into `canvas`.
  void draw(int index, Raster& canvas) const;
  const Raster& background() const { return background_; }
  const RunResult& frames() const { return frames_; }

 private:
  Linkage linkage_;
  Raster background_;
  RunResult frames_;
};

// The canvas at half size: each pixel the colour that covers most of its 2 × 2 block other
// than black (the first of them in reading order on a tie), black where the block is black,
// so that a line one pixel wide stays whole and every colour stays a palette colour.
inline constexpr int kHalfWidth = Raster::kWidth / 2, kHalfHeight = Raster::kHeight / 2;
std::vector<std::uint8_t> halfSizePixels(const Raster& canvas);

struct AnimationGif {
  std::optional<std::string> bytes;  // the whole file; none when stopped or not encoded
  bool stopped = false;              // 停止 ended it
};

// The file for one design and view. Progress counts the frames, and one more for the searches
// before them; the stop flag is heeded between two frames.
AnimationGif makeAnimationGif(const Linkage& linkage, const View& view,
                              const AnimationGifOptions& options, WorkProgress& progress);

}  // namespace gyrenda
