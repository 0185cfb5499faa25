// The design being edited: the linkage the boxes describe, the validation pass that every
// change of a parameter ends in, the spin bars and point entry that feed it, and the history of
// whole designs that undo and redo step through.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "linkage/linkage.h"
#include "session/control_state.h"
#include "session/design_history.h"

namespace gyrenda {

class DesignEditor {
 public:
  // What the editor asks of the session it belongs to: an edit redraws the construction and
  // may start an analysis, and none is made while a run is in progress.
  class Host {
   public:
    virtual bool running() const = 0;
    // Clears the canvas and draws the grid and the whole static construction.
    virtual void redraw() = 0;
    virtual void drawGrid() = 0;
    virtual void analyse() = 0;  // an analysis run, as すぐに描画する starts one
    virtual void execute() = 0;  // 実行
    // A design was loaded or applied: the view may follow it before it is analysed.
    virtual void designReplaced() = 0;

   protected:
    ~Host() = default;
  };

  // `controls` is the window's state, whose boxes, bars and captions the edits read and write.
  DesignEditor(ControlState& controls, Host& host) : controls_(controls), host_(host) {}
  DesignEditor(const DesignEditor&) = delete;
  DesignEditor& operator=(const DesignEditor&) = delete;

  // The window as it opens: the default texts read into the parameters, the history begun.
  void start();
  const Linkage& linkage() const { return linkage_; }
  const DesignHistory& history() const { return history_; }

  // The validation pass of box `index`: read the box, repair the whole parameter set, write
  // the repaired values back into boxes and bars, show the fixed-link range, rebuild the
  // linkage, redraw, and analyse when すぐに描画する is ticked. Refused during a run, since it
  // would redraw the canvas that the search reads.
  void leaveBox(int index);
  // Sets spin bar `index` as a click or the program does: clamped to the bar's range; a value
  // that differs copies itself into the box and, outside a pass, runs the pass for that box.
  void setSpinBar(int index, int value);
  // A value given as text, as typing it into box `index` and leaving the box: one pass.
  void enterParameter(int index, const std::string& text);
  // A design read from a file: into the boxes and the parameters, a pass for every box in
  // order, then the grid and one analysis, as the load command does.
  void applyDesign(const ParameterSet& values);
  // A design from elsewhere (a synthesis candidate) typed into the boxes, read by the
  // validation passes as one step of the history, then analysed. Refused during a run.
  void applyParameters(const ParameterSet& values);
  // A double-click on the canvas: the point the readout shows becomes a slide end point.
  void enterPoint();
  // Each load, each applied design and each validation pass (or point entry) that changed the
  // parameters is one step of the history. Undo and redo put the design before or after the
  // one in place back exactly as it was, into the boxes, bars and linkage, and redraw; they
  // analyse when すぐに描画する is ticked. Refused during a run.
  void undo();
  void redo();
  // The 編集 items' flags: something to undo or redo, and no run in progress.
  void showHistory(bool idle);

 private:
  // An analysis, or within a larger edit one analysis once that edit is done.
  void analyseSoon();
  void setLengthToOne(ParameterSet& p, int k);
  void writeBack(const ParameterSet& p, int k);
  // Puts a text of the program's own into box k: leaving the box with that text unchanged
  // keeps the parameter as it is, to the last bit, where reading the text back could round it.
  void showInBox(int k, std::string text);
  // The boxes given `values` and read by a pass each, as one edit: no step of the history.
  void typeDesign(const ParameterSet& values);
  // The same with no analysis in between, however すぐに描画する stands.
  void putDesign(const ParameterSet& values);
  // Undo and redo: `design`, if any, made the one in place.
  void stepTo(const std::optional<DesignState>& design);
  DesignState designInPlace() const;
  // The parameters in place as a step of the history, unless inside a larger edit.
  void recordDesign();

  ControlState& controls_;
  Host& host_;
  Linkage linkage_;
  DesignHistory history_;
  std::array<std::string, kParamCount> shownText_{};  // the text the program last put in a box
  bool editGuard_ = false;    // a validation pass is in progress
  int designEdit_ = 0;        // passes that belong to one larger edit are in progress
  bool analysisDue_ = false;  // a pass of that edit asked for an analysis
};

}  // namespace gyrenda
