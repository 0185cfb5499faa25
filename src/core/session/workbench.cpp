#include "session/workbench.h"

#include <cmath>

#include "linkage/number_text.h"
#include "sixbar/six_bar_search.h"

namespace gyrenda {

Workbench::Workbench(Platform* platform) : platform_(platform ? platform : &nullPlatform_) {}

void Workbench::start() {
  canvasView_.setView(kStartView);
  design_.start();
  controls_.showRun(false);
  design_.showHistory(true);
  selectSpeed(1);
  controls_.mark(AllChanged);
}

float Workbench::speedStep() const { return speedStepOf(controls_.speedItem); }

void Workbench::show(const Message& message) { platform_->showMessage(message); }

void Workbench::redraw() { canvasView_.redraw(design_.linkage()); }

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
  canvasView_.zoomIn(design_.linkage());
  controls_.mark(ViewChanged);
}

void Workbench::zoomOut() {
  canvasView_.zoomOut(design_.linkage());
  controls_.mark(ViewChanged);
}

void Workbench::selectSpeed(int item) {
  controls_.speedItem = item;
  controls_.mark(InputsChanged);
}

void Workbench::panTo(int left, int top) {
  canvasView_.panTo(left, top, design_.linkage());
  controls_.mark(ViewChanged);
}

ViewFit Workbench::fit() {
  if (running()) return {canvasView_.view(), 0.0};
  const ViewFit fit = canvasView_.fit(design_.linkage(), ticked(controls_.analyseSixBar));
  controls_.mark(ViewChanged);
  if (!fit.view) show({MessageId::NoViewHolds, {}, 0, {}, fit.shortfall});
  return fit;
}

void Workbench::designReplaced() {
  if (fitReplacedDesigns_ &&
      !canvasView_.showsWhole(design_.linkage(), ticked(controls_.analyseSixBar)))
    fit();
}

void Workbench::setView(const View& view) {
  canvasView_.setView(view);
  controls_.mark(ViewChanged);
}

void Workbench::drawGrid() { canvasView_.drawGrid(); }

void Workbench::computeFrames() {
  if (running()) return;
  redraw();
  runs_.searchFrames(runSettings(RunKind::Frames, Direction::Forwards), design_.linkage(),
                     canvasView_.canvas());
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
  runs_.start(runSettings(kind, direction), design_.linkage(), canvasView_.view(),
              canvasView_.canvas());
}

bool Workbench::advanceRun() { return runs_.advance(); }

void Workbench::finishRun() { runs_.finish(); }

void Workbench::runStarted() {
  controls_.showRun(true);
  design_.showHistory(false);
}

void Workbench::phaseEnded(RunPhase ended) {
  if (ended != RunPhase::FourBarSearch) return;
  controls_.status = StatusCaption::Finished;
  controls_.mark(CaptionsChanged);
}

void Workbench::runEnded(RunKind kind) {
  if (kind == RunKind::Analysis) controls_.mark(ReportChanged);
  const auto& report = runs_.report();
  if (kind == RunKind::Analysis && report && !report->fourBar.stopped &&
      !(report->sixBar && report->sixBar->stopped) &&
      report->parameters == design_.linkage().parameters)
    design_.markAnalysed();
  controls_.showRun(false);
  design_.showHistory(true);
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

bool Workbench::withSixBar() const { return ticked(controls_.analyseSixBar); }

HandlePlaces Workbench::handles() const {
  return handlePlaces(makeExactLinkage(design_.linkage().parameters), drag_.crankAngle(),
                      withSixBar());
}

std::optional<Handle> Workbench::handleNear(Vec2 point, double reach) const {
  return JointDrag::handleNear(point, reach, handles());
}

bool Workbench::beginDrag(Handle handle) {
  if (running() || drag_.active()) return false;
  drag_.begin(handle, design_.linkage().parameters, withSixBar());
  boxesBeforeDrag_ = controls_.boxText;
  captionBeforeDrag_ = controls_.fixedLinkCaption;
  return true;
}

void Workbench::dragTo(Vec2 point, bool scrub, double resolution) {
  if (!drag_.active()) return;
  drag_.moveTo(point, scrub, resolution);
  const ParameterSet& moved = drag_.design();
  const ParameterSet& inPlace = design_.linkage().parameters;
  for (int k = 0; k < kParamCount; ++k)
    controls_.boxText[k] = moved[k] == inPlace[k] ? boxesBeforeDrag_[k] : formatBoxNumber(moved[k]);
  controls_.fixedLinkCaption = fixedLinkRange(moved);
  controls_.mark(BoxesChanged | CaptionsChanged);
}

void Workbench::cancelDrag() {
  if (!drag_.active()) return;
  drag_.end();
  controls_.boxText = boxesBeforeDrag_;
  controls_.fixedLinkCaption = captionBeforeDrag_;
  controls_.mark(BoxesChanged | CaptionsChanged);
}

DragProblem Workbench::endDrag() {
  if (!drag_.active()) return DragProblem::None;
  const DragProblem problem = drag_.preview().problem;
  const bool take = problem == DragProblem::None && drag_.changed();
  const ParameterSet moved = drag_.design();
  cancelDrag();
  if (take) design_.applyDraggedDesign(moved);
  return problem;
}

void Workbench::showCrankAngle(double degrees) { drag_.setCrankAngle(degrees); }

}  // namespace gyrenda
