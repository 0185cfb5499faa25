// The animation: frames of a whole crank turn, then endless playback until stopped.
#pragma once

#include <chrono>
#include <cstdint>

#include "app/form.h"

namespace gyrenda {

// Four-bar frames, six-bar frames when "6節ﾘﾝｸも解析する" is ticked, playback, and then the
// markers (lever half-circle, crank dots, slide line) drawn again.
void Anime_Main(Form& f, std::int16_t selector);

// Plays the stored frames lap after lap, forwards (selector other than 1) or backwards
// (selector 1), until a stop request.
void Anime_Anime(Form& f, std::int16_t selector);

// The pause between drawing a pose and erasing the one before: (n + 1)² × 20 µs with
// n = (5 − speedStep) × 5, so the three speeds keep the ratio 1 : 441 : 676.
std::chrono::microseconds animationPause(float speedStep);

}  // namespace gyrenda
