// The six-bar raster search against the slide line, and its animation-frame twin.
#pragma once

#include "app/form.h"

namespace gyrenda {

// Finds the six-bar pose for every crank angle that has a four-bar pose and plots the loci.
void kaisekiA2(Form& f);
// Draws one step of the six-bar axis-point and output-point loci (slider probeX/probeY).
void kiseki2(Form& f);

// The same search storing one frame per hit, advancing 1° after each hit whatever the speed.
void Anime6_Kaiseki(Form& f);
void Anime6_Mem(Form& f);

}  // namespace gyrenda
