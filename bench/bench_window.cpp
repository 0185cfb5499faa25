// The main window at work (offscreen unless a platform is named): one whole Execute of the
// default design, and the animation's playback steps per second at "うま".
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QListWidget>
#include <QPushButton>
#include <chrono>

#include "desktop/joint_overlay.h"
#include "desktop/main_window.h"
#include "encoders/image_files.h"
#include "files/drawing.h"

namespace {

using namespace gyrenda;
using Clock = std::chrono::steady_clock;

// The design validated once, as the first focus change of a session does.
void validateDefaults(MainWindow& window) {
  window.workbench().leaveBox(0);
  window.showChanges(window.workbench().controls().takeChanges());
}

void BM_ExecuteInWindow(benchmark::State& state) {
  MainWindow window;
  window.show();
  validateDefaults(window);
  auto* execute = window.findChild<QPushButton*>(QStringLiteral("execute"));
  for (auto _ : state) execute->click();
}
BENCHMARK(BM_ExecuteInWindow)->Unit(benchmark::kMillisecond)->Repetitions(9);

// Encoding the exports of the default six-bar's analysis: 3 PNG, 4 SVG, 5 DXF.
void BM_ExportBytes(benchmark::State& state) {
  MainWindow window;
  validateDefaults(window);
  Workbench& bench = window.workbench();
  bench.controls().analyseSixBar = 1;
  bench.execute();
  const Drawing drawing = buildDrawing(bench.linkage(), bench.view(), bench.result());
  const auto format = static_cast<ExportFormat>(state.range(0));
  for (auto _ : state)
    benchmark::DoNotOptimize(exportBytes(format, bench.canvas(), drawing));
}
BENCHMARK(BM_ExportBytes)->DenseRange(3, 5)->Unit(benchmark::kMicrosecond);

// One step of a drag's preview: the exact paths of the default six-bar with the output point
// moved, and the overlay painted over the canvas at its size, as the widget paints it.
void BM_DragPreviewStep(benchmark::State& state) {
  MainWindow window;
  validateDefaults(window);
  const ParameterSet design = window.workbench().linkage().parameters;
  const View view = window.workbench().view();
  QImage canvas(Raster::kWidth, Raster::kHeight, QImage::Format_RGB32);
  double nudge = 0;
  for (auto _ : state) {
    nudge = nudge > 5 ? 0 : nudge + 0.1;
    const ParameterSet moved =
        movedDesign(Handle::FourBarOutput, Vec2{80 + nudge, 40}, design, 45.0, 0.1);
    const DragPreview preview = dragPreview(moved, 45.0, true);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    paintJointOverlay(painter, view, {preview.joints, Handle::FourBarOutput, &preview});
  }
}
BENCHMARK(BM_DragPreviewStep)->Unit(benchmark::kMillisecond)->Repetitions(9);

// Times the playback from its first pause and presses 停止 after a given number of steps.
class PlaybackClock : public DesktopPlatform {
 public:
  void pause(std::chrono::microseconds length) override {
    if (!playing_) {
      playing_ = true;
      started_ = Clock::now();
    }
    DesktopPlatform::pause(length);
  }
  void driveRun(const std::function<bool()>& step) override {
    DesktopPlatform::driveRun([this, step] {
      if (playing_ && ++played_ == stepsToPlay) {
        elapsed_ = Clock::now() - started_;
        window()->findChild<QPushButton*>(QStringLiteral("stop"))->click();
      }
      return step();
    });
  }
  void reset() { playing_ = false, played_ = 0; }
  double seconds() const { return std::chrono::duration<double>(elapsed_).count(); }

  int stepsToPlay = 0;

 private:
  bool playing_ = false;
  int played_ = 0;
  Clock::time_point started_;
  Clock::duration elapsed_{};
};

void BM_PlaybackAtFastestSpeed(benchmark::State& state) {
  auto clock = std::make_unique<PlaybackClock>();
  PlaybackClock& playback = *clock;
  playback.stepsToPlay = static_cast<int>(state.range(0));
  MainWindow window(std::move(clock));
  window.show();
  validateDefaults(window);
  window.findChild<QListWidget*>(QStringLiteral("speedList"))->setCurrentRow(0);  // うま
  auto* animate = window.findChild<QPushButton*>(QStringLiteral("animateForwards"));
  double seconds = 0;
  for (auto _ : state) {
    playback.reset();
    animate->click();
    while (window.workbench().running()) QApplication::processEvents();
    state.SetIterationTime(playback.seconds());
    seconds += playback.seconds();
  }
  state.counters["steps_per_second"] =
      static_cast<double>(state.iterations()) * playback.stepsToPlay / seconds;
}
BENCHMARK(BM_PlaybackAtFastestSpeed)->Arg(2000)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
