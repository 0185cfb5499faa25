// The state of the main window's controls as data: what the entry boxes and spin bars hold,
// the check boxes, the speed list, the slide point options, the captions the core writes,
// the enabled flags, the watchdog timer and the pointer. The main-window logic owns it; the
// window shows it and writes the user's input into it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "linkage/linkage.h"
#include "linkage/parameters.h"

namespace gyrenda {

// Check box states: 0 not ticked, 1 ticked, 2 greyed; every state but 0 counts as ticked.
using CheckState = int;
inline bool ticked(CheckState s) { return s != 0; }

// The controls whose enabled flag the run state switches, beside the entry boxes and spin bars.
enum class Control : int {
  Execute,          // 実行
  AnimateForwards,  // アニメ, left
  AnimateBackwards, // アニメ, right
  Stop,             // 停止
  ZoomIn,           // 拡大
  ZoomOut,          // 縮小
  Quit,             // 終了
  PanHorizontal,
  PanVertical,
  AssistantCorner,
  OptimiseFourBar,
  AnalyseSixBar,
  OptimiseSixBar,
  DrawImmediately,
  SpeedList,
  SlideStartOption,
  SlideEndOption,
  PointEntry,  // point entry by double-click on the canvas
  FileMenu,
  HelpMenu,
  FitView,  // 全体表示
  Count
};

// The analysis speeds of the speed list, fast to slow, and the crank step each adds after a
// hit beyond the search's own 0.5°.
inline constexpr int kSpeedCount = 3;
inline constexpr std::array<float, kSpeedCount> kSpeedSteps{5.0f, 1.0f, 0.0f};
inline float speedStepOf(int speedItem) {
  return speedItem >= 0 && speedItem < kSpeedCount ? kSpeedSteps[speedItem] : 0.0f;
}

// What the status label under the six-bar parameters says.
enum class StatusCaption { None, Finished };

// Which parts of the controls a core procedure changed, so that the window shows only those.
enum Change : unsigned {
  BoxesChanged = 1u << 0,      // entry box texts and spin bar values
  CaptionsChanged = 1u << 1,   // the fixed-link range, the status, the pointer readout
  InputsChanged = 1u << 2,     // check boxes, speed list, slide point option
  ViewChanged = 1u << 3,       // zoom and the pan bars
  EnabledChanged = 1u << 4,    // enabled flags, 元に戻す and やり直し included
  RunStateChanged = 1u << 5,   // a run began or ended, the busy pointer, the watchdog timer
  ReportChanged = 1u << 6,     // the run report
  AllChanged = (1u << 7) - 1,
};
using Changes = unsigned;

struct ControlState {
  std::array<std::string, kParamCount> boxText{};
  std::array<int, kParamCount> spinValue{};
  std::array<bool, kParamCount> boxEnabled{};
  std::array<bool, kParamCount> spinEnabled{};
  std::array<bool, static_cast<int>(Control::Count)> enabledFlags{};

  CheckState optimiseFourBar = 1;  // 計算の最適化 (four-bar)
  CheckState optimiseSixBar = 1;   // 計算の最適化 (six-bar)
  CheckState drawImmediately = 0;  // すぐに描画する
  CheckState analyseSixBar = 0;    // 6節ﾘﾝｸも解析する
  int speedItem = -1;              // selected item of the speed list, -1 none
  int slidePointOption = -1;       // the slide point that point entry sets next: -1 none, 0 start, 1 end

  // The admissible fixed-link range shown beside its box; none before the first pass.
  std::optional<FixedLinkRange> fixedLinkCaption;
  StatusCaption status = StatusCaption::None;
  // The pointer readout: the last canvas point under the pointer, in hundredths; none before
  // the pointer first moves over the canvas.
  struct Readout {
    float x = 0, y = 0;
  };
  std::optional<Readout> readout;

  // 元に戻す and やり直し of the 編集 menu: a design to go back or forward to, and no run.
  bool canUndo = false, canRedo = false;

  bool timerEnabled = false;  // the watchdog timer
  bool busyPointer = false;   // the main window's pointer shows the hourglass

  Changes changes = AllChanged;  // what changed since the window last showed the controls

  bool& enabled(Control c) { return enabledFlags[static_cast<int>(c)]; }
  bool enabled(Control c) const { return enabledFlags[static_cast<int>(c)]; }
  void mark(Changes c) { changes |= c; }
  // The controls for a run in progress or for none: running, only 停止 among the commands, no
  // edits, the busy pointer and the watchdog timer; idle, everything but 停止. The speed list
  // and the Help menu stay usable in both.
  void showRun(bool running);
  // What changed since the last call.
  Changes takeChanges() { return std::exchange(changes, 0u); }
};

}  // namespace gyrenda
