// The run driver that every analysis and animation goes through, and its progress watchdog.
#pragma once

#include <cstdint>

#include "app/form.h"

namespace gyrenda {

// Runs an analysis (selector kAnalysisRun) or an animation (0 forwards, 1 backwards).
// Refuses to start while another run is in progress. Whatever happens inside, the window
// is back in its idle state when it returns.
void Byouga(Form& f, std::int16_t selector);

// One tick of the watchdog timer.
void Timer1_Timer(Form& f);

inline constexpr const char* kCannotBuildMessage = "このリンクは実現できないと思う。";

}  // namespace gyrenda
