// The four-bar raster search and its animation-frame twin.
#pragma once

#include "app/form.h"

namespace gyrenda {

// Finds the four-bar pose for every crank angle and plots the loci; "終了" in Label5 at the end.
void KaisekiA(Form& f);

// The same search storing one frame per hit instead of plotting, every half degree.
void Anime4_Kaiseki(Form& f);
// Stores the frame of the pose found at crankAngle (lever tip probeX/probeY).
void Anime4_Mem(Form& f);

inline constexpr const char* kFinishedCaption = "終了";

}  // namespace gyrenda
