// Parameter editing: the validation pass that every change of a parameter ends in, the spin
// bars that feed it, point entry on the canvas, and the history of whole designs.
#include <algorithm>
#include <cmath>
#include <utility>

#include "linkage/number_text.h"
#include "session/design_editor.h"

namespace gyrenda {
namespace {

float clampParam(float v) { return std::clamp(v, -kParamLimit, kParamLimit); }

// Rounds half to even, as the spin bars take a value.
int barValueFor(float v) { return static_cast<int>(std::nearbyint(clampParam(v))); }

}  // namespace

void DesignEditor::start() {
  const auto& info = paramInfo();
  for (int k = 0; k < kParamCount; ++k) {
    controls_.boxText[k] = std::string(info[k].defaultText);
    linkage_.parameters[k] = readNumber(controls_.boxText[k]);
    // The spin bars start at the defaults; setting them at creation raises no change.
    controls_.spinValue[k] = static_cast<int>(linkage_.parameters[k]);
  }
  shownText_ = controls_.boxText;
  history_.reset(designInPlace());
}

void DesignEditor::setSpinBar(int k, int value) {
  const auto& info = paramInfo()[k];
  value = std::clamp(value, info.spinMin, info.spinMax);
  if (value == controls_.spinValue[k]) return;
  controls_.spinValue[k] = value;
  // A bar that follows its parameter through a pass holds the nearest whole number, while the
  // box keeps the value itself: a box showing a rounded value would hand it to the design the
  // next time it is left. A click on the bar types the bar's value.
  if (editGuard_) {
    writeBack(linkage_.parameters, k);
    return;
  }
  controls_.boxText[k] = std::to_string(value);
  controls_.mark(BoxesChanged);
  leaveBox(k);
}

void DesignEditor::enterParameter(int index, const std::string& text) {
  if (index < 0 || index >= kParamCount || host_.running()) return;
  controls_.boxText[index] = text;
  controls_.mark(BoxesChanged);
  leaveBox(index);
}

void DesignEditor::showInBox(int k, std::string text) {
  controls_.boxText[k] = text;
  shownText_[k] = std::move(text);
  controls_.mark(BoxesChanged);
}

void DesignEditor::writeBack(const ParameterSet& p, int k) { showInBox(k, formatBoxNumber(p[k])); }

void DesignEditor::setLengthToOne(ParameterSet& p, int k) {
  p[k] = 1.0f;
  writeBack(p, k);
}

void DesignEditor::leaveBox(int index) {
  // Edits and runs never interleave: a pass would redraw the canvas the search is reading.
  if (index < 0 || index >= kParamCount || host_.running()) return;
  editGuard_ = true;
  // The bars set below only copy their values into the boxes while the guard is up; they
  // read the parameters being repaired.
  ParameterSet& p = linkage_.parameters;
  const auto setBarFromParam = [&](int k) { setSpinBar(k, barValueFor(p[k])); };
  if (controls_.boxText[index] != shownText_[index])
    p[index] = clampParam(readNumber(controls_.boxText[index]));

  // The fixed link lies strictly between the two bounds; when they cross, the upper decides.
  // Both sums are rounded to single precision before they are compared.
  const auto lowerBound = [&] {
    return static_cast<float>(static_cast<double>(p[crankRadius]) - p[leverRadius] +
                              p[couplerLength]);
  };
  const auto upperBound = [&] {
    return static_cast<float>(static_cast<double>(p[couplerLength]) - p[crankRadius] +
                              p[leverRadius]);
  };
  if (lowerBound() >= p[fixedLinkLength]) {
    p[fixedLinkLength] = clampParam(lowerBound() + 1.0f);
    setBarFromParam(fixedLinkLength);
  }
  if (upperBound() <= p[fixedLinkLength]) {
    p[fixedLinkLength] = clampParam(upperBound() - 1.0f);
    setBarFromParam(fixedLinkLength);
  }
  writeBack(p, fixedLinkLength);

  if (!(p[crankRadius] > 0.0f)) setLengthToOne(p, crankRadius);
  // A lever that is not positive is made 1 before the crank is compared with it, so that
  // the crank never takes a non-positive lever radius over.
  if (!(p[leverRadius] > 0.0f)) setLengthToOne(p, leverRadius);
  if (p[crankRadius] > p[leverRadius]) {
    p[crankRadius] = p[leverRadius];
    writeBack(p, crankRadius);
    setBarFromParam(crankRadius);
  }
  // A length that had to be made 1 leaves its two factors as the last pass computed them.
  const bool couplerRepaired = !(p[couplerLength] > 0.0f);
  if (couplerRepaired) setLengthToOne(p, couplerLength);
  const bool sixLinkRepaired = !(p[sixLinkLength] > 0.0f);
  if (sixLinkRepaired) setLengthToOne(p, sixLinkLength);

  if (static_cast<float>(p[slideEndX] - p[slideStartX]) == 0.0f) {
    // At the top of the range the end point moves down instead, so the slide keeps a length.
    p[slideEndX] += (p[slideEndX] + 1.0f > kParamLimit) ? -1.0f : 1.0f;
    setBarFromParam(slideEndX);
  }
  setBarFromParam(index);
  writeBack(p, index);

  Linkage next = makeLinkage(p);
  if (couplerRepaired) {
    next.outAlongFactor = linkage_.outAlongFactor;
    next.outAcrossFactor = linkage_.outAcrossFactor;
  }
  if (sixLinkRepaired) {
    next.sixRatioX = linkage_.sixRatioX;
    next.sixRatioY = linkage_.sixRatioY;
  }
  linkage_ = next;
  controls_.fixedLinkCaption = linkage_.fixedLinkRange;
  controls_.mark(CaptionsChanged);
  recordDesign();

  host_.redraw();
  editGuard_ = false;
  if (ticked(controls_.drawImmediately)) analyseSoon();
}

// A run goes on after the command that started it has returned, and refuses edits meanwhile:
// a pass that is one of several (the two of a point entry) leaves its analysis to the end.
void DesignEditor::analyseSoon() {
  if (designEdit_ > 0) {
    analysisDue_ = true;
    return;
  }
  host_.analyse();
}

void DesignEditor::typeDesign(const ParameterSet& values) {
  for (int k = 0; k < kParamCount; ++k) controls_.boxText[k] = formatBoxNumber(values[k]);
  for (int k = 0; k < kParamCount; ++k) linkage_.parameters[k] = readNumber(controls_.boxText[k]);
  shownText_.fill({});  // every box is read once, as typed
  controls_.mark(BoxesChanged);
  ++designEdit_;
  for (int k = 0; k < kParamCount; ++k) leaveBox(k);
  --designEdit_;
  analysisDue_ = false;  // the callers analyse the whole design once it is in
}

void DesignEditor::applyDesign(const ParameterSet& values) {
  typeDesign(values);
  recordDesign();
  host_.drawGrid();
  host_.designReplaced();
  host_.execute();
}

void DesignEditor::putDesign(const ParameterSet& values) {
  // One analysis at most, after the whole design is in, however すぐに描画する stands.
  const CheckState immediate = std::exchange(controls_.drawImmediately, 0);
  typeDesign(values);
  controls_.drawImmediately = immediate;
}

DesignState DesignEditor::designInPlace() const {
  return {linkage_.parameters, controls_.boxText, controls_.spinValue};
}

void DesignEditor::recordDesign() {
  if (designEdit_ > 0) return;
  history_.record(designInPlace());
  showHistory(!host_.running());
}

void DesignEditor::showHistory(bool idle) {
  const bool canUndo = idle && history_.canUndo(), canRedo = idle && history_.canRedo();
  if (canUndo == controls_.canUndo && canRedo == controls_.canRedo) return;
  controls_.canUndo = canUndo;
  controls_.canRedo = canRedo;
  controls_.mark(EnabledChanged);
}

void DesignEditor::undo() {
  if (!host_.running()) stepTo(history_.undo());
}

void DesignEditor::redo() {
  if (!host_.running()) stepTo(history_.redo());
}

// Undo puts back exactly the design that was in place, which a pass need not leave as it is
// (a crank cut back to the lever by a pass moves the fixed link on the next), so the boxes,
// bars, linkage and caption are set as the passes that made it left them, without a pass.
void DesignEditor::stepTo(const std::optional<DesignState>& design) {
  if (!design) return;
  linkage_ = makeLinkage(design->parameters);
  controls_.boxText = shownText_ = design->boxText;
  controls_.spinValue = design->spinValue;
  controls_.fixedLinkCaption = linkage_.fixedLinkRange;
  controls_.mark(BoxesChanged | CaptionsChanged);
  showHistory(true);
  host_.redraw();
  if (ticked(controls_.drawImmediately)) host_.analyse();
}

void DesignEditor::applyParameters(const ParameterSet& values) {
  if (host_.running()) return;
  putDesign(values);
  recordDesign();
  host_.designReplaced();
  host_.execute();
}

void DesignEditor::enterPoint() {
  if (host_.running() || !controls_.enabled(Control::PointEntry)) return;
  const ControlState::Readout at = controls_.readout.value_or(ControlState::Readout{});
  const bool start = controls_.slidePointOption == 0;
  const int xBox = start ? slideStartX : slideEndX;
  controls_.boxText[xBox] = formatBoxNumber(at.x);
  controls_.boxText[xBox + 1] = formatBoxNumber(-at.y);
  controls_.slidePointOption = start ? 1 : 0;
  controls_.mark(BoxesChanged | InputsChanged);
  ++designEdit_;
  leaveBox(xBox);
  leaveBox(xBox + 1);
  --designEdit_;
  recordDesign();
  if (std::exchange(analysisDue_, false)) host_.analyse();
}

}  // namespace gyrenda
