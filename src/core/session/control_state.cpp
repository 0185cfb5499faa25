#include "session/control_state.h"

namespace gyrenda {

void ControlState::showRun(bool running) {
  const bool idle = !running;
  boxEnabled.fill(idle);
  spinEnabled.fill(idle);
  for (Control c : {Control::PanHorizontal, Control::PanVertical, Control::Execute, Control::Quit,
                    Control::ZoomIn, Control::ZoomOut, Control::AnimateForwards,
                    Control::AnimateBackwards, Control::OptimiseFourBar, Control::AnalyseSixBar,
                    Control::OptimiseSixBar, Control::DrawImmediately, Control::AssistantCorner,
                    Control::SlideStartOption, Control::SlideEndOption, Control::PointEntry,
                    Control::FileMenu, Control::FitView})
    enabled(c) = idle;
  enabled(Control::Stop) = running;
  enabled(Control::SpeedList) = true;
  enabled(Control::HelpMenu) = true;
  busyPointer = running;
  timerEnabled = running;
  mark(EnabledChanged | RunStateChanged);
}

}  // namespace gyrenda
