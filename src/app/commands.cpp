#include "app/commands.h"

#include <string_view>

#include "app/run_driver.h"
#include "canvas/grid.h"

namespace gyrenda {

void Command1_Click(Form& f) {
  if (f.running) return;
  BackScreen(f);
  Byouga(f, kAnalysisRun);
}

void AnimeButton_Click(Form& f, int index) {
  if (f.running) return;
  BackScreen(f);
  Byouga(f, static_cast<std::int16_t>(index));
}

void Command2_Click(Form& f) { f.quitRequested = true; }

void Command3_Click(Form& f) {
  f.zoomLevel = static_cast<std::int16_t>(f.zoomLevel - 1);
  if (f.zoomLevel < 2) f.zoomLevel = 2;
  BackScreen(f);
}

void Command4_Click(Form& f) {
  f.zoomLevel = static_cast<std::int16_t>(f.zoomLevel + 1);
  if (f.zoomLevel > 4) f.zoomLevel = 4;
  BackScreen(f);
}

void Command6_Click(Form& f) { f.stopRequested = -1; }

void List3_Click(Form& f) {
  if (f.List3Index < 0 || f.List3Index >= kSpeedItemCount) return;
  const std::string_view text = kSpeedItems[f.List3Index];
  if (text == "うま") f.speedStep = 5;
  else if (text == "いぬ") f.speedStep = 1;
  else if (text == "かめ") f.speedStep = 0;
}

void selectSpeed(Form& f, int item) {
  f.List3Index = item;
  List3_Click(f);
}

void HScroll1_Change(Form& f) { BackScreen(f); }
void VScroll1_Change(Form& f) { BackScreen(f); }

namespace {

void setRunControls(Form& f, bool idle) {
  for (int i = 0; i < kParamCount; ++i) {
    f.parameterEnabled[i] = idle;
    f.spinEnabled[i] = idle;
  }
  for (Control c : {Control::HScroll1, Control::VScroll1, Control::Command1, Control::Command2,
                    Control::Command3, Control::Command4, Control::AnimeButton0,
                    Control::AnimeButton1, Control::Check2, Control::Check3, Control::Check4,
                    Control::RealTimeSW, Control::Multi, Control::Option1_0, Control::Option1_1,
                    Control::Picture1DblClick, Control::FileMenu})
    f.enabled(c) = idle;
  f.enabled(Control::Command6) = !idle;
  // The speed list and the Help menu stay usable in both states.
  f.enabled(Control::List3) = true;
  f.enabled(Control::HelpMenu) = true;
}

}  // namespace

void AllDisable(Form& f) { setRunControls(f, false); }
void AllEnable(Form& f) { setRunControls(f, true); }

}  // namespace gyrenda
