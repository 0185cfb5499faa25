// Whole designs driven as a user drives the window: the poses found, the messages and when
// they come, the controls, the texts the user reads, and the canvas. Every reference picture
// and number here was left by the program before its core became values owned by a Workbench.
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
namespace {

using Texts = std::vector<std::string>;
using Point = std::pair<float, float>;
using Shown = std::pair<MessageId, int>;  // a message and the yield it came at

const Texts kDefaultTexts{"18",  "36", "36", "31", "72",  "0", "50",
                                 "100", "30", "20", "55", "150", "55"};

// The canvas against tests/data/scenario/NAME.png, an indexed picture with the palette. A
// difference writes NAME.actual.png and NAME.diff.png (the differing pixels red on it) into a
// folder of its own in the temporary folder, kept for a look and named in the failure.
void expectCanvas(const Raster& canvas, const std::string& name) {
  const QImage expected(QString::fromStdString(GYRENDA_SCENARIO_DATA_DIR "/" + name + ".png"));
  const QImage actual = canvasImage(canvas);
  ASSERT_TRUE(expected.size() == actual.size() && expected.format() == QImage::Format_Indexed8)
      << "no indexed reference picture " << name;
  ASSERT_EQ(expected.colorTable(), actual.colorTable()) << name << ": not the palette";
  QImage diff = actual.convertToFormat(QImage::Format_RGB32);
  int differing = 0;
  for (int y = 0; y < Raster::kHeight; ++y)
    for (int x = 0; x < Raster::kWidth; ++x)
      if (expected.pixelIndex(x, y) != canvas.at(x, y)) {
        diff.setPixel(x, y, qRgb(255, 0, 0));
        ++differing;
      }
  if (!differing) return;
  std::string folder = (std::filesystem::temp_directory_path() / "gyrenda-scenario-XXXXXX").string();
  if (!::mkdtemp(folder.data())) folder.clear();
  const std::string base = folder + "/" + name;
  if (!folder.empty()) {
    actual.save(QString::fromStdString(base + ".actual.png"), "PNG");
    diff.save(QString::fromStdString(base + ".diff.png"), "PNG");
  }
  ADD_FAILURE() << name << ": " << differing << " pixels differ, see " << base
                << ".actual.png and " << base << ".diff.png";
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

// The defaults at かめ with neither search narrowed: a pose every half degree.
TEST(Scenario, DefaultSixBarAtKameFindsEveryHalfDegree) {
  Scenario s;
  s.bench.selectSpeed(2);
  s.bench.controls().optimiseFourBar = s.bench.controls().optimiseSixBar = 0;
  s.bench.execute();
  EXPECT_EQ(s.output(0), Point(31.1209564f, 70.7943497f));
  EXPECT_EQ(s.output(2), Point(34.1937332f, 70.4687881f));
  EXPECT_EQ(s.output(719), Point(31.1202717f, 70.6372757f));
  EXPECT_EQ(s.bench.controls().status, StatusCaption::Finished);  // 終了
  s.expectIdleShowing("kame_unoptimised", kAngleSteps);
}

// アニメ: the frames of a whole turn, then playback at いぬ until 停止 at the 40th pause; the
// markers are drawn again and the status says nothing.
TEST(Scenario, AnimationPlaysItsFramesUntilStopped) {
  Scenario s;
  s.platform.onPause = [&] {
    if (s.platform.pauses.size() == 40) s.bench.stop();
  };
  s.bench.animate(Direction::Forwards);
  const RunResult& r = s.bench.result();
  EXPECT_EQ(s.platform.pauses, std::vector(40, std::chrono::microseconds(8820)));
  EXPECT_EQ(posesIn(r.sixAxisX), 350);
  EXPECT_EQ(Point(r.leverTipX[0], r.leverTipY[0]), Point(24.5604782f, 35.3971748f));
  EXPECT_EQ(Point(r.sixOffsetX[3], r.sixOffsetY[3]), Point(-9.27050877f, -28.5316963f));
  EXPECT_EQ(s.bench.controls().status, StatusCaption::None);
  s.expectIdleShowing("playback_forwards", kAngleSteps);
}

// Playback shows every frame of the turn once before it starts over, whichever way it runs:
// each four-bar frame and each complete six-bar frame with a pause.
TEST(Scenario, PlaybackShowsEveryFrameOncePerTurnEitherWay) {
  for (const auto& [direction, start] :
       {std::pair(Direction::Forwards, 0.0f), {Direction::Backwards, 360.0f}}) {
    Scenario s;
    s.hooks.push_back([&] {  // the frame searches yield before the first pause
      if (!s.platform.pauses.empty() && s.bench.loopCrankAngle() == start) s.bench.stop();
    });
    s.bench.animate(direction);
    const RunResult& r = s.bench.result();
    int frames = posesIn(r.leverTipX);
    for (int i = 0; i < kAngleSteps; ++i)
      frames += r.sixOffsetX[i] != kNoPose && r.sixAxisX[i] != kNoPose;
    EXPECT_EQ(s.platform.pauses.size(), static_cast<std::size_t>(frames)) << start;
  }
}

// With the assistant on and neither search narrowed, the watchdog speaks on the 11th tick of
// each search: yield 11 of the run, and yield 11 of the six-bar search, which starts
// after the four-bar search's 241 yields.
TEST(Scenario, WatchdogWarnsInEachUnoptimisedSearch) {
  Scenario s;
  s.bench.toggleAssistant();
  s.bench.controls().optimiseFourBar = s.bench.controls().optimiseSixBar = 0;
  s.hooks.push_back([&] { s.bench.watchdogTick(); });
  s.bench.execute();
  using enum MessageId;
  EXPECT_EQ(s.shown,
            (std::vector<Shown>{{AssistantOn, 0}, {CannotBeBuilt, 11}, {CannotBeBuilt, 252}}));
  s.expectIdleShowing("watchdog_both_phases", 241);
}

// Idle, the watchdog's counter stops after the tick that speaks, however long it runs on, and
// ticks while that message is open are dropped.
TEST(Scenario, WatchdogCounterStopsAfterTenAndTicksDuringItsMessageAreDropped) {
  OpenWindow w;
  w.bench.toggleAssistant();
  // Neither search narrowed, whichever phase the watchdog takes as governing.
  w.bench.controls().optimiseFourBar = w.bench.controls().optimiseSixBar = 0;
  w.platform.messages.clear();
  w.platform.onMessage = [&](const Message&) {
    if (w.platform.messages.size() > 3) return;  // keeps a faulty watchdog from recursing
    w.bench.watchdogTick();
    w.bench.watchdogTick();
  };
  for (const int ticks : {11, 70000}) {
    for (int tick = 0; tick < ticks; ++tick) w.bench.watchdogTick();
    EXPECT_EQ(w.platform.messages, std::vector(1, Message{MessageId::CannotBeBuilt, {}, 0, {}}));
    EXPECT_EQ(w.bench.watchdogTicks(), 11);
  }
  w.platform.onPause = [&] { w.bench.stop(); };
  w.bench.animate(Direction::Forwards);
  EXPECT_EQ(w.bench.watchdogTicks(), 0) << "each run counts afresh";
}

// Double-clicks set the slide: the end point when no option is chosen, then start and end
// in turn. The boxes show the bars' whole numbers; the slide keeps the fractions.
TEST(Scenario, PointEntrySetsTheSlideEndsByDoubleClick) {
  Scenario s;
  const auto doubleClick = [&](float x, float y) {
    s.bench.movePointer(x, -y);
    s.bench.enterPoint();
  };
  doubleClick(25, 60);
  EXPECT_EQ(s.boxTexts(slideEndX, 2), (Texts{"25", "60"}));
  EXPECT_EQ(s.bench.controls().slidePointOption, 0);
  doubleClick(150, 40);
  EXPECT_EQ(s.boxTexts(slideStartX, 2), (Texts{"150", "40"}));
  EXPECT_EQ(s.bench.controls().slidePointOption, 1);  // the end next
  s.bench.controls().slidePointOption = 0;
  doubleClick(30, 65);
  doubleClick(160.5f, 40.25f);
  s.bench.execute();
  s.bench.movePointer(-12.345f, -6.789f);
  Texts texts = kDefaultTexts;
  std::ranges::copy(Texts{"30", "65", "160.5", "40.25"}, texts.begin() + slideStartX);
  EXPECT_EQ(s.boxTexts(), texts);
  EXPECT_EQ(Point(s.bench.linkage()[slideEndX], s.bench.linkage()[slideEndY]),
            Point(160.5f, 40.25f));
  EXPECT_EQ(s.bench.controls().slidePointOption, 0);
  const auto readout = s.bench.controls().readout.value_or(ControlState::Readout{});
  EXPECT_EQ(Point(readout.x, readout.y), Point(-12.35f, -6.79f));
  s.expectIdleShowing("point_entry", 241);
}

// Zoomed out and in past both limits (4 and 2), then panned so that part of the marker is out
// of view: the poses there are missed, and the path runs through other pixels than at the
// default zoom.
TEST(Scenario, ZoomedInWithTheMarkerPartlyOutOfViewMissesPoses) {
  Scenario s;
  const auto out = &Workbench::zoomOut, in = &Workbench::zoomIn;
  for (const auto& [zoom, level] : {std::pair(out, 4), {out, 4}, {in, 3}, {in, 2}, {in, 2}}) {
    (s.bench.*zoom)();
    EXPECT_EQ(s.bench.view().zoomLevel, level);
  }
  s.bench.panTo(0, -140);
  s.bench.panTo(0, -60);
  s.bench.execute();
  EXPECT_EQ(s.output(3), Point(34.1903038f, 70.6258316f));
  s.expectIdleShowing("zoomed_in_part_out_of_view", 232);
}

}  // namespace
}  // namespace gyrenda::test
