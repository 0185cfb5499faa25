// Shared helpers of the user scenario tests: the window driven through its Workbench with
// steps that act from inside a run, what the user reads off the controls, and the canvas
// compared with a stored picture.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/test_support.h"
#include "encoders/canvas_image.h"

namespace gyrenda::test {

using Texts = std::vector<std::string>;
using Point = std::pair<float, float>;
using Shown = std::pair<MessageId, int>;  // a message and the yield it came at

inline const Texts kDefaultTexts{"18",  "36", "36", "31", "72",  "0", "50",
                                 "100", "30", "20", "55", "150", "55"};

// The canvas against tests/data/scenario/NAME.png, an indexed picture with the palette. A
// difference writes NAME.actual.png and NAME.diff.png (differing pixels red on a dimmed
// copy) into the working folder.
inline void expectCanvas(const Raster& canvas, const std::string& name) {
  const QImage expected(QString::fromStdString(GYRENDA_SCENARIO_DATA_DIR "/" + name + ".png"));
  const QImage actual = canvasImage(canvas);
  ASSERT_TRUE(expected.size() == actual.size() && expected.format() == QImage::Format_Indexed8)
      << "no indexed reference picture " << name;
  ASSERT_EQ(expected.colorTable(), actual.colorTable()) << name << ": not the palette";
  QImage diff = actual.convertToFormat(QImage::Format_RGB32);
  int differing = 0;
  for (int y = 0; y < Raster::kHeight; ++y)
    for (int x = 0; x < Raster::kWidth; ++x) {
      const QRgb c = diff.pixel(x, y);
      const bool same = expected.pixelIndex(x, y) == canvas.at(x, y);
      diff.setPixel(x, y, same ? qRgb(qRed(c) / 3, qGreen(c) / 3, qBlue(c) / 3) : qRgb(255, 0, 0));
      differing += !same;
    }
  EXPECT_EQ(differing, 0) << name << ": " << differing << " pixels differ, see " << name
                          << ".actual.png and " << name << ".diff.png";
  if (differing) {
    actual.save(QString::fromStdString(name + ".actual.png"), "PNG");
    diff.save(QString::fromStdString(name + ".diff.png"), "PNG");
  }
}

// The open window as a user drives it, 6節ﾘﾝｸも解析する ticked. Hooks run at every yield of a
// run (they must not add hooks); every message is noted with the yield it came at.
struct Scenario : OpenWindow {
  Scenario() {
    bench.controls().analyseSixBar = 1;
    platform.onYield = [this] {
      // A run that yields shows itself as running: only 停止 usable, hourglass, watchdog on.
      const ControlState& c = bench.controls();
      runNotShown += bench.running() && !(c.timerEnabled && c.busyPointer &&
                                          c.enabled(Control::Stop) && !c.enabled(Control::Execute));
      if (platform.yields == 50000) {
        ADD_FAILURE() << "the run does not end";
        bench.quit();
      }
      for (const auto& hook : hooks) hook();
    };
    platform.onMessage = [this](const Message& m) { shown.push_back({m.id, platform.yields}); };
  }
  // A point of the output path, at table index i (crank angle i / 2).
  Point output(int i) const { return {bench.result().outputX[i], bench.result().outputY[i]}; }
  // What boxes first … first + count - 1 show.
  Texts boxTexts(int first = 0, int count = kParamCount) const {
    const auto& t = bench.controls().boxText;
    return {t.begin() + first, t.begin() + first + count};
  }
  // After a run with `poses` on its output path everything is usable again but 停止, no yield
  // showed the window idle, and the canvas shows the reference picture.
  void expectIdleShowing(const std::string& picture, int poses) const {
    EXPECT_EQ(posesIn(bench.result().outputX), poses) << "poses on the output path";
    const ControlState& c = bench.controls();
    for (int k = 0; k < static_cast<int>(Control::Count); ++k)
      EXPECT_EQ(c.enabledFlags[k], static_cast<Control>(k) != Control::Stop) << "control " << k;
    EXPECT_TRUE(std::ranges::all_of(c.boxEnabled, std::identity{}));
    EXPECT_TRUE(std::ranges::all_of(c.spinEnabled, std::identity{}));
    EXPECT_FALSE(bench.running() || c.busyPointer || c.timerEnabled);
    EXPECT_EQ(runNotShown, 0);
    expectCanvas(bench.canvas(), picture);
  }

  std::vector<std::function<void()>> hooks;
  std::vector<Shown> shown;
  int runNotShown = 0;
};

}  // namespace gyrenda::test
