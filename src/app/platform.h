// What the core asks of the windowing platform. The desktop program implements it with Qt;
// the headless program and the tests use the no-op twin or a fake of their own.
#pragma once

#include <chrono>
#include <string>

namespace gyrenda {

class Platform {
 public:
  virtual ~Platform() = default;
  // The yield of the long loops: let pending user events, timer ticks and repaints run.
  virtual void processEvents() {}
  // A modal message box with the program's title and one OK button; returns when closed.
  virtual void showMessage(const std::string& text) { (void)text; }
  // The animation's pause between drawing a pose and erasing the one before.
  virtual void pause(std::chrono::microseconds length) { (void)length; }
};

// The platform of a headless run: nothing to yield to, nobody to show a message to.
class NullPlatform final : public Platform {};

}  // namespace gyrenda
