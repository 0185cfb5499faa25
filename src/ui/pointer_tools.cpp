#include "ui/pointer_tools.h"

#include <cmath>

#include "app/number_text.h"
#include "app/validation.h"

namespace gyrenda {
namespace {

float floorToHundredths(float v) {
  return static_cast<float>(std::floor(static_cast<double>(v) * 100.0) / 100.0);
}

void enterPoint(Form& f, int xBox, int yBox) {
  f.parameterText[xBox] = formatBoxNumber(f.pointerX);
  f.parameterText[yBox] = formatBoxNumber(-f.pointerY);
}

}  // namespace

void Picture1_MouseMove(Form& f, float x, float y) {
  f.pointerX = floorToHundredths(x);
  f.pointerY = floorToHundredths(y);
  f.Zahyou[0] = "X=" + formatBoxNumber(f.pointerX);
  f.Zahyou[1] = "Y=" + formatBoxNumber(-f.pointerY);
}

void Picture1_DblClick(Form& f) {
  if (f.running || !f.enabled(Control::Picture1DblClick)) return;
  if (f.Option1 == 0) {
    enterPoint(f, slideStartX, slideStartY);
    f.Option1 = 1;
    parameter_LostFocus(f, slideStartX);
    parameter_LostFocus(f, slideStartY);
  } else {
    f.Option1 = 0;
    enterPoint(f, slideEndX, slideEndY);
    parameter_LostFocus(f, slideEndX);
    parameter_LostFocus(f, slideEndY);
  }
}

void multi_DblClick(Form& f) {
  if (!f.enabled(Control::Multi)) return;
  if (f.assistantOn != 0) {
    f.assistantOn = 0;
    f.platform->showMessage("good bye");
  } else {
    f.assistantOn = -1;
    f.platform->showMessage("test");
  }
}

void hlp_Click(Form& f) { f.platform->showHelp(); }
void ver_Click(Form& f) { f.platform->showVersionWindow(); }

}  // namespace gyrenda
