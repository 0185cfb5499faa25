// The main window at work (offscreen unless a platform is named): one whole Execute of the
// default design, and the animation's playback steps per second at "うま".
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <chrono>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/validation.h"
#include "files/drawing.h"
#include "files/qt_bitmap.h"

namespace {

using namespace gyrenda;
using Clock = std::chrono::steady_clock;

// The design validated once, as the first focus change of a session does.
void validateDefaults(MainWindow& window) {
  parameter_LostFocus(window.form(), 0);
  window.syncFromForm();
}

void BM_ExecuteInWindow(benchmark::State& state) {
  MainWindow window;
  window.show();
  validateDefaults(window);
  auto* execute = window.findChild<QPushButton*>(QStringLiteral("Command1"));
  for (auto _ : state) execute->click();
}
BENCHMARK(BM_ExecuteInWindow)->Unit(benchmark::kMillisecond)->Repetitions(9);

// Encoding the exports of the default six-bar's analysis: 3 PNG, 4 SVG, 5 DXF.
void BM_ExportBytes(benchmark::State& state) {
  MainWindow window;
  validateDefaults(window);
  window.form().Check3 = 1;
  Command1_Click(window.form());
  const Drawing drawing = buildDrawing(window.form());
  const auto format = static_cast<ExportFormat>(state.range(0));
  for (auto _ : state)
    benchmark::DoNotOptimize(exportBytes(format, window.form().canvas, drawing));
}
BENCHMARK(BM_ExportBytes)->DenseRange(3, 5)->Unit(benchmark::kMicrosecond);

// Times the playback from its first pause and presses 停止 after a given number of steps.
class PlaybackClock : public QtPlatform {
 public:
  void pause(std::chrono::microseconds length) override {
    if (!playing_) {
      playing_ = true;
      started_ = Clock::now();
    }
    QtPlatform::pause(length);
  }
  void processEvents() override {
    QtPlatform::processEvents();
    if (playing_ && ++played_ == stepsToPlay) {
      elapsed_ = Clock::now() - started_;
      window()->findChild<QPushButton*>(QStringLiteral("Command6"))->click();
    }
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
  window.findChild<QListWidget*>(QStringLiteral("List3"))->setCurrentRow(0);  // うま
  auto* animate = window.findChild<QPushButton*>(QStringLiteral("AnimeButton0"));
  double seconds = 0;
  for (auto _ : state) {
    playback.reset();
    animate->click();
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
