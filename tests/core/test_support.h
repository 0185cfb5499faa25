// Shared helpers of the core tests: the window as it stands once open, a fake platform whose
// hooks can act in the middle of a run, and small readers of the canvas and of text.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/raster.h"
#include "session/workbench.h"

namespace gyrenda {

// A message as a failing test prints it.
inline void PrintTo(const Message& m, std::ostream* o) {
  *o << "message " << static_cast<int>(m.id) << " '" << m.file << "' " << m.error << " '"
     << m.detail << "'";
}

namespace test {

// Records what the core asks of the platform; a hook acts at that moment, for instance to
// press 停止 between two steps of a run, as the user does between two of the window's.
class FakePlatform : public Platform {
 public:
  void driveRun(const std::function<bool()>& step) override {
    do {
      ++yields;
      if (onYield) onYield();
    } while (step());
  }
  void showMessage(const Message& message) override {
    messages.push_back(message);
    if (onMessage) onMessage(message);
  }
  void pause(std::chrono::microseconds length) override {
    pauses.push_back(length);
    if (onPause) onPause();
  }
  std::optional<std::string> askOpenPath() override { return openPath; }
  std::function<void()> onYield, onPause;
  std::optional<std::string> openPath;  // what the open dialog answers
  std::function<void(const Message&)> onMessage;
  int yields = 0;
  std::vector<Message> messages;
  std::vector<std::chrono::microseconds> pauses;
};

// The window after start-up and the first validation pass: where every user action starts.
template <typename P>
struct OpenWindowWith {
  OpenWindowWith() {
    bench.start();
    bench.leaveBox(0);
  }
  P platform;
  Workbench bench{&platform};
};
using OpenWindow = OpenWindowWith<FakePlatform>;

// The save dialog's file types in its order.
inline constexpr SaveFormat kSaveFormats[] = {SaveFormat::Bitmap, SaveFormat::DataFile,
                                              SaveFormat::Png, SaveFormat::Svg, SaveFormat::Dxf};

// Types `text` into box k and leaves it.
inline void leaveBox(Workbench& bench, int k, std::string_view text) {
  bench.controls().boxText[k] = std::string(text);
  bench.leaveBox(k);
}

inline int posesIn(const AngleTable& t) {
  return static_cast<int>(std::ranges::count_if(t, [](float v) { return v != kNoPose; }));
}

inline bool samePixels(const Raster& a, const Raster& b) {
  return std::equal(a.data(), a.data() + Raster::kStride * Raster::kHeight, b.data());
}

// The whole content of a file; empty if it cannot be read.
inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A folder of the test's own in the temporary folder, removed with its content at the end.
struct TempFolder {
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "gyrenda-test-XXXXXX").string();
    if (::mkdtemp(pattern.data())) path = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // The path of `name` inside, holding `text` when given.
  std::string file(const std::string& name, std::optional<std::string> text = {}) const {
    const std::string at = (std::filesystem::path(path) / name).string();
    if (text) std::ofstream(at, std::ios::binary) << *text;
    return at;
  }
  std::string path;
};

// Splits text at every `end`; a trailing terminator gives no empty last line.
inline std::vector<std::string> splitLines(const std::string& text, std::string_view end) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, stop; start < text.size(); start = stop + end.size()) {
    stop = std::min(text.find(end, start), text.size());
    lines.push_back(text.substr(start, stop - start));
  }
  return lines;
}

}  // namespace test
}  // namespace gyrenda
