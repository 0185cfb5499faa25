// Shared helpers of the core tests: the window as it stands once open, a fake platform whose
// hooks can act in the middle of a run, and small readers of the canvas and of text.
#pragma once

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <optional>
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
  std::optional<std::string> askOpenPath() override { return openPath; }
  std::function<void()> onYield, onPause;
  std::optional<std::string> openPath;  // what the open dialog answers
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

inline bool samePixels(const Raster& a, const Raster& b) {
  return std::equal(a.data(), a.data() + Raster::kStride * Raster::kHeight, b.data());
}

// The whole content of a file; empty if it cannot be read.
inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
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

}  // namespace gyrenda::test
