// What a long loop needs of whoever runs it: a yield with a stop test, and a timed pause.
#pragma once

#include <chrono>

namespace gyrenda {

class RunControl {
 public:
  // Lets pending events run with the crank at `crankAngle`, then tells whether the loop must
  // leave. A stop request is cleared by the loop that honours it; a request to end the
  // program ends every loop and is never cleared.
  virtual bool yieldAndTestStop(float crankAngle) = 0;
  // The crank step after a hit that the speed list asks for now: the list stays usable
  // during a run, and a new speed takes effect at the next hit.
  virtual float speedStep() = 0;
  // The animation's pause between drawing a pose and erasing the one before.
  virtual void pause(std::chrono::microseconds length) = 0;

 protected:
  ~RunControl() = default;
};

}  // namespace gyrenda
