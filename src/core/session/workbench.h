// The main window's logic without the window: the linkage being designed, the view, the
// canvas the searches read, the result of the last run, and the state of the controls. The
// window owns one Workbench, shows what it holds and hands it the user's commands; the
// headless program and the tests drive it the same way.
#pragma once

#include <string>

#include "canvas/run_result.h"
#include "files/drawing.h"
#include "linkage/linkage.h"
#include "report/run_report.h"
#include "session/animation_gif.h"
#include "session/canvas_view.h"
#include "session/control_state.h"
#include "session/design_editor.h"
#include "session/design_history.h"
#include "session/joint_drag.h"
#include "session/platform.h"
#include "session/run.h"
#include "session/run_driver.h"
#include "sixbar/animation.h"

namespace gyrenda {

class Workbench final : private RunDriver::Session, private DesignEditor::Host {
 public:
  // Without a platform of the caller's own, nothing is shown and nobody is asked.
  explicit Workbench(Platform* platform = nullptr);
  Workbench(const Workbench&) = delete;
  Workbench& operator=(const Workbench&) = delete;

  // The window as it opens: the default texts in the boxes and read into the parameters, zoom
  // 3, speed いぬ. The derived state stays zero until the first validation pass, which the
  // first focus change out of box 0 runs.
  void start();

  const ControlState& controls() const { return controls_; }
  // The window writes the user's input here: typed box texts, check boxes, the slide option.
  ControlState& controls() { return controls_; }
  const Linkage& linkage() const { return design_.linkage(); }
  const View& view() const { return canvasView_.view(); }
  const CanvasView& canvasView() const { return canvasView_; }
  const RunResult& result() const { return runs_.result(); }
  const std::optional<RunReport>& report() const { return runs_.report(); }
  const Raster& canvas() const { return canvasView_.canvas(); }

  bool running() const override { return runs_.running(); }
  // One step of the run in progress, as its driver calls it between the user's events: the
  // end of the phase in progress where 停止 was pressed, or of the whole run once the program
  // is to end. Nothing while the watchdog's message is open: the run waits for it. False once
  // the run has ended, or when none is in progress.
  bool advanceRun();
  // The run in progress driven to its end at once, as a command that takes its picture does.
  void finishRun();
  bool quitRequested() const { return runs_.quitRequested(); }
  // The crank angle of the step of the run in progress that comes next.
  float loopCrankAngle() const { return runs_.crankAngle(); }
  int watchdogTicks() const { return runs_.watchdogTicks(); }
  bool assistantOn() const { return assistantOn_; }

  // --- Editing (see DesignEditor) ---------------------------------------------------------------
  void leaveBox(int index) { design_.leaveBox(index); }
  void setSpinBar(int index, int value) { design_.setSpinBar(index, value); }
  // The headless program's --set.
  void enterParameter(int index, const std::string& text) { design_.enterParameter(index, text); }
  void applyDesign(const ParameterSet& values) { design_.applyDesign(values); }
  // The load command after its dialog: a path that is not a regular file is refused at once,
  // without waiting. When nothing was loaded, the user is told why (LoadFailed); returns an
  // empty string or that reason, in English.
  std::string loadDesignFile(const std::string& path);

  // The pointer moved over the canvas to canvas point (x, y): the readout follows it.
  void movePointer(float x, float y);
  // A double-click on the canvas: the point last shown becomes a slide end point.
  void enterPoint() { design_.enterPoint(); }
  // 元に戻す and やり直し over whole designs.
  void undo() { design_.undo(); }
  void redo() { design_.redo(); }
  // A synthesis candidate applied.
  void applyParameters(const ParameterSet& values) { design_.applyParameters(values); }
  const DesignHistory& history() const { return design_.history(); }

  // --- Joints on the canvas (see JointDrag) -----------------------------------------------------
  const JointDrag& jointDrag() const { return drag_; }
  // Where the handles of the design in place stand at the crank angle shown.
  HandlePlaces handles() const;
  // The handle of the design in place nearest `point` (world mm) within `reach`.
  std::optional<Handle> handleNear(Vec2 point, double reach) const;
  // Takes a handle; refused (false) during a run.
  bool beginDrag(Handle handle);
  // The pointer moved during the drag: the preview, the boxes and the fixed-link caption follow
  // the design under it; nothing else changes. See JointDrag::moveTo.
  void dragTo(Vec2 point, bool scrub, double resolution);
  // The drag ends: a design that turns fully and can be assembled is taken as one edit, else
  // it is refused and the boxes show the design in place again. Returns what was wrong.
  DragProblem endDrag();
  // Esc: the design in place stays, the boxes show it again.
  void cancelDrag();
  // The crank angle whose pose the handles show, as the crank tip dragged with Shift sets it.
  void showCrankAngle(double degrees);

  // --- Commands --------------------------------------------------------------------------------
  void execute() override;              // 実行: redraw, then analyse
  void animate(Direction direction);    // アニメ
  void stop();                          // 停止: the loop in progress ends at its next yield
  void quit();                          // 終了: every loop ends; the window closes after
  void zoomIn();                        // 拡大
  void zoomOut();                       // 縮小
  void selectSpeed(int item);           // the speed list: 0 うま, 1 いぬ, 2 かめ
  void panTo(int left, int top);        // the pan bars: the view moves, the canvas is redrawn
  // 全体表示: the closest view that holds the whole mechanism (with the six-bar when its box is
  // ticked), the canvas redrawn; where none does, a message says by how much.
  ViewFit fit();
  // Whether a loaded or applied design that the view does not wholly hold is fitted before it
  // is analysed, as the window does; the headless program fits only when asked.
  void setFitReplacedDesigns(bool on) { fitReplacedDesigns_ = on; }
  void toggleAssistant();               // a double-click on the corner between the pan bars
  void watchdogTick();                  // one tick of the watchdog timer
  void save();                          // ファイル > 保存: its dialog, then saveAs
  // The save command after its dialog, as the headless program calls it too: a picture is
  // taken of the grid and a whole analysis first; the file is written carefully, and a failure
  // told through the platform.
  void saveAs(const std::string& path, SaveFormat format);
  // What a file of `format` holds as things stand: the canvas as a bitmap or PNG image, the
  // construction and paths as an SVG or DXF drawing, or the numeric data file of the last run.
  // None where the platform cannot encode it.
  std::optional<std::string> fileBytes(SaveFormat format) const;
  // The picture the exports take, the grid and a whole analysis, as a drawing; afterwards
  // report() holds that analysis. None during a run.
  std::optional<Drawing> drawingForOutput();
  void load();                          // ファイル > 読み込み
  void print();                         // ファイル > 印刷: its dialog, then printCopies
  void printCopies(int copies);
  void showHelp();
  void showVersion();
  // The animated GIF's options as the controls give them (the six-bar box, the optimisation
  // boxes, the speed), the rest at their defaults; makeAnimationGif takes them with the
  // linkage and the view.
  AnimationGifOptions animationGifOptions() const;

  // --- For the headless program ------------------------------------------------------------
  // Zoom and pan as a caller sets them before anything is drawn: nothing is redrawn.
  void setView(const View& view);
  // The grid alone, as the canvas shows it when the window opens.
  void drawGrid() override;
  // The animation's frame searches without the playback: redraw, clear, four-bar frames and,
  // with the six-bar box ticked, six-bar frames.
  void computeFrames();

 private:
  // A run through the driver, with the options the check boxes hold: the controls are set for
  // the run while it goes on, and idle again however it ends.
  void run(RunKind kind, Direction direction = Direction::Forwards);
  RunSettings runSettings(RunKind kind, Direction direction) const;
  void analyse() override { run(RunKind::Analysis); }
  // What the driver tells: the controls follow the run.
  float speedStep() const override;
  void runStarted() override;
  void phaseEnded(RunPhase ended) override;
  void runEnded(RunKind kind) override;
  // Clears the canvas and draws the grid and the whole static construction.
  void redraw() override;
  void designReplaced() override;
  // Grid, then one full analysis: the picture that exports and printing take.
  void redrawForOutput();
  void show(const Message& message);
  bool withSixBar() const;

  NullPlatform nullPlatform_;
  Platform* platform_;
  ControlState controls_;
  CanvasView canvasView_;
  DesignEditor design_{controls_, *this};
  RunDriver runs_{*platform_, *this};
  bool assistantOn_ = false;
  bool fitReplacedDesigns_ = false;
  JointDrag drag_;
  // The boxes and the caption as they were when the drag began, shown again if it is not taken.
  std::array<std::string, kParamCount> boxesBeforeDrag_{};
  std::optional<FixedLinkRange> captionBeforeDrag_;
};

}  // namespace gyrenda
