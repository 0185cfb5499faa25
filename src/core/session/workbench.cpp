#include "session/workbench.h"

#include <cmath>

#include <algorithm>

#include "canvas/construction.h"
#include "canvas/grid.h"
#include "canvas/four_bar_search.h"
#include "linkage/number_text.h"
#include "sixbar/six_bar_search.h"

namespace gyrenda {

Workbench::Workbench(Platform* platform) : platform_(platform ? platform : &nullPlatform_) {}

void Workbench::start() {
  view_.zoomLevel = kStartView.zoomLevel;
  design_.start();
  setRunControls(true);
  selectSpeed(1);
  controls_.mark(AllChanged);
}

float Workbench::speedStep() const { return speedStepOf(controls_.speedItem); }

void Workbench::show(const Message& message) { platform_->showMessage(message); }

void Workbench::redraw() { drawConstruction(design_.linkage(), view_, canvas_); }

void Workbench::execute() {
  if (running()) return;
  redraw();
  run(RunKind::Analysis);
}

void Workbench::animate(Direction direction) {
  if (running()) return;
  redraw();
  run(RunKind::Animation, direction);
}

namespace {

float floorToHundredths(float v) {
  return static_cast<float>(std::floor(static_cast<double>(v) * 100.0) / 100.0);
}

}  // namespace

void Workbench::movePointer(float x, float y) {
  controls_.readout = ControlState::Readout{floorToHundredths(x), floorToHundredths(y)};
  controls_.mark(CaptionsChanged);
}

void Workbench::stop() { runs_.stop(); }

void Workbench::quit() { runs_.quit(); }

void Workbench::zoomIn() {
  view_.zoomLevel = std::max(view_.zoomLevel - 1, 2);
  controls_.mark(ViewChanged);
  redraw();
}

void Workbench::zoomOut() {
  view_.zoomLevel = std::min(view_.zoomLevel + 1, 4);
  controls_.mark(ViewChanged);
  redraw();
}

void Workbench::selectSpeed(int item) {
  controls_.speedItem = item;
  controls_.mark(InputsChanged);
}

void Workbench::panTo(int left, int top) {
  view_.left = left;
  view_.top = top;
  controls_.mark(ViewChanged);
  redraw();
}

void Workbench::setView(const View& view) {
  view_ = view;
  controls_.mark(ViewChanged);
}

void Workbench::drawGrid() { gyrenda::drawGrid(view_, canvas_); }

void Workbench::computeFrames() {
  if (running()) return;
  redraw();
  runs_.searchFrames(runSettings(RunKind::Frames, Direction::Forwards), design_.linkage(), canvas_);
}

RunSettings Workbench::runSettings(RunKind kind, Direction direction) const {
  return {kind, direction, ticked(controls_.analyseSixBar), ticked(controls_.optimiseFourBar),
          ticked(controls_.optimiseSixBar)};
}

AnimationGifOptions Workbench::animationGifOptions() const {
  AnimationGifOptions options;
  options.run = runSettings(RunKind::Analysis, Direction::Forwards);
  options.speedStep = speedStep();
  return options;
}

void Workbench::run(RunKind kind, Direction direction) {
  runs_.start(runSettings(kind, direction), design_.linkage(), canvas_);
}

bool Workbench::advanceRun() { return runs_.advance(); }

void Workbench::finishRun() { runs_.finish(); }

void Workbench::runStarted() {
  setRunControls(false);
  controls_.busyPointer = true;
  controls_.timerEnabled = true;
  controls_.mark(RunStateChanged);
}

void Workbench::phaseEnded(RunPhase ended) {
  if (ended != RunPhase::FourBarSearch) return;
  controls_.status = StatusCaption::Finished;
  controls_.mark(CaptionsChanged);
}

void Workbench::runEnded(RunKind kind) {
  if (kind == RunKind::Analysis) controls_.mark(ReportChanged);
  controls_.timerEnabled = false;
  controls_.busyPointer = false;
  setRunControls(true);
  controls_.mark(RunStateChanged);
}

void Workbench::watchdogTick() {
  runs_.watchdogTick(assistantOn_, ticked(controls_.optimiseFourBar),
                     ticked(controls_.optimiseSixBar));
}

void Workbench::toggleAssistant() {
  if (!controls_.enabled(Control::AssistantCorner)) return;
  assistantOn_ = !assistantOn_;
  show({assistantOn_ ? MessageId::AssistantOn : MessageId::AssistantOff, {}, 0, {}});
}

void Workbench::showHelp() { platform_->showHelp(); }

void Workbench::showVersion() { platform_->showVersionWindow(); }

void Workbench::setRunControls(bool idle) {
  for (int i = 0; i < kParamCount; ++i) {
    controls_.boxEnabled[i] = idle;
    controls_.spinEnabled[i] = idle;
  }
  for (Control c : {Control::PanHorizontal, Control::PanVertical, Control::Execute, Control::Quit,
                    Control::ZoomIn, Control::ZoomOut, Control::AnimateForwards,
                    Control::AnimateBackwards, Control::OptimiseFourBar, Control::AnalyseSixBar,
                    Control::OptimiseSixBar, Control::DrawImmediately, Control::AssistantCorner,
                    Control::SlideStartOption, Control::SlideEndOption, Control::PointEntry,
                    Control::FileMenu})
    controls_.enabled(c) = idle;
  controls_.enabled(Control::Stop) = !idle;
  // The speed list and the Help menu stay usable in both states.
  controls_.enabled(Control::SpeedList) = true;
  controls_.enabled(Control::HelpMenu) = true;
  controls_.mark(EnabledChanged);
  design_.showHistory(idle);
}

}  // namespace gyrenda
