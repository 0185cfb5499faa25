// The main window's state as data: the texts and values of its controls, their enabled
// flags, and the window-level variables and tables that the procedures share. One object
// per window; every procedure takes it explicitly.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "app/params.h"
#include "app/platform.h"
#include "app/run_report.h"
#include "canvas/raster.h"

namespace gyrenda {

// Angle tables and result tables: entry i stands for the angle i / 2 degrees, 0 … 360.
inline constexpr int kAngleSteps = 721;
using AngleTable = std::array<float, kAngleSteps>;

// The value a result or frame table holds where no pose was found.
inline constexpr float kNoPose = 9999.0f;

// The run selector that asks the run driver for an analysis; other values are animation
// directions (0 forwards, 1 backwards).
inline constexpr std::int16_t kAnalysisRun = 9999;

// Check box states: 0 not ticked, 1 ticked, 2 greyed; every state but 0 counts as ticked.
using CheckState = int;
inline bool ticked(CheckState s) { return s != 0; }

// Controls whose enabled flag the run state switches, beside the entry boxes and spin bars.
enum class Control : int {
  Command1,      // 実行
  AnimeButton0,  // アニメ, forwards
  AnimeButton1,  // アニメ, backwards
  Command6,      // 停止
  Command3,      // 拡大
  Command4,      // 縮小
  Command2,      // 終了
  HScroll1,
  VScroll1,
  Multi,
  Check2,
  Check3,
  Check4,
  RealTimeSW,
  List3,
  Option1_0,
  Option1_1,
  Picture1DblClick,  // point entry by double-click on the canvas
  FileMenu,
  HelpMenu,
  Count
};

inline constexpr int kSpeedItemCount = 3;
inline constexpr std::array<const char*, kSpeedItemCount> kSpeedItems{"うま", "いぬ", "かめ"};

struct Form {
  explicit Form(Platform* p = nullptr) : platform(p ? p : &nullPlatform) {}
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  NullPlatform nullPlatform;
  Platform* platform;

  // --- Controls -------------------------------------------------------------------------
  std::array<std::string, kParamCount> parameterText{};  // entry boxes parameter(0..12)
  std::array<int, kParamCount> spinValue{};              // spin bars VScroll2(0..12)
  std::array<bool, kParamCount> parameterEnabled{};
  std::array<bool, kParamCount> spinEnabled{};
  std::array<bool, static_cast<int>(Control::Count)> enabledFlags{};

  CheckState Check2 = 1;      // 計算の最適化 (four-bar)
  CheckState Check4 = 1;      // 計算の最適化 (six-bar)
  CheckState RealTimeSW = 0;  // すぐに描画する
  CheckState Check3 = 0;      // 6節ﾘﾝｸも解析する
  int List3Index = -1;        // selected item of the speed list, -1 none
  int HScroll1 = -60;         // left edge of the view
  int VScroll1 = -140;        // top edge of the view
  int Option1 = -1;           // selected slide point option: -1 none, 0 start, 1 end

  std::string Label13 = "静止節長さ(0～0)";
  std::string Label5;
  std::array<std::string, 2> Zahyou{"X=", "Y="};

  bool timerEnabled = false;  // Timer1
  bool busyPointer = false;   // the main window's pointer shows the hourglass

  // --- Window-level variables -------------------------------------------------------------
  std::array<float, kParamSlots> paramValue{};
  std::array<std::int16_t, kParamCount> paramIndex{};
  std::int16_t zoomLevel = 0;
  float speedStep = 0;
  std::int16_t stopRequested = 0;
  std::int16_t editGuard = 0;
  std::int16_t fourBarPhase = 0;
  std::int16_t watchdogTicks = 0;
  std::int16_t assistantOn = 0;

  // Shared by the drawing, search and animation procedures.
  float crankAngle = 0;
  float scanAngle = 0, scanFrom = 0, scanTo = 0;
  float probeX = 0, probeY = 0;
  float prevAxisX = 0, prevAxisY = 0, prevOutX = 0, prevOutY = 0;
  float outAlongFactor = 0, outAcrossFactor = 0;
  float sixRatioX = 0, sixRatioY = 0;
  float pointerX = 0, pointerY = 0;

  // Derived from the parameters by every validation pass.
  AngleTable crankTipX{}, crankTipY{}, leverX{}, leverY{}, couplerX{}, couplerY{};
  AngleTable sixLinkX{}, sixLinkY{};

  // Results of the last run, indexed by crank angle × 2; kNoPose where nothing was found.
  AngleTable outputX{}, outputY{}, leverTipX{}, leverTipY{};
  AngleTable sixAxisX{}, sixAxisY{}, sixOffsetX{}, sixOffsetY{};

  // What the last run's analysis found at each hit, beside outputX/outputY: the points the
  // loci are drawn through and the found poses, kNoPose where nothing was found. The exports
  // and the run report read them; nothing here is drawn, searched or saved.
  struct RunHits {
    AngleTable axisX{}, axisY{}, leverTipX{}, leverTipY{};             // four-bar
    AngleTable sixAxisX{}, sixAxisY{}, sixOutputX{}, sixOutputY{};     // six-bar loci
    AngleTable sliderX{}, sliderY{};                                   // six-bar poses
    std::int32_t fourBarExamined = 0, sixBarExamined = 0;  // crank steps that were scanned
    bool sixBarSearched = false;
    bool fourBarStopped = false, sixBarStopped = false;  // 停止 ended the search early
  } hits;

  // The report of the last analysis run, taken when it ended; none before the first.
  std::optional<RunReport> lastReport;

  Raster canvas;

  // --- Run state kept by this program beyond the window's own ---------------------------
  bool running = false;          // a run driver call is in progress
  bool watchdogShowing = false;  // the watchdog's message box is open
  bool quitRequested = false;    // the program is to end once every loop has returned

  float param(int k) const { return paramValue[paramIndex[k]]; }
  float& param(int k) { return paramValue[paramIndex[k]]; }

  bool& enabled(Control c) { return enabledFlags[static_cast<int>(c)]; }
  bool enabled(Control c) const { return enabledFlags[static_cast<int>(c)]; }
};

// Angle to table index: 2 × angle rounded half to even, kept within 0 … 720.
int angleIndex(float angle);

// The stop protocol of every long loop: yield to the event loop, then report whether the
// loop must leave. A pending stop request is cleared by the loop that honours it; a
// request to end the program ends every loop and is never cleared.
bool yieldAndTestStop(Form& f);

}  // namespace gyrenda
