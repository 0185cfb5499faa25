// The designs the user can go back to: 元に戻す and やり直し over whole designs. The history
// holds the design in place and the ones before and after it; a design recorded whose
// parameters differ from those in place becomes the one in place, and the designs after it
// are gone.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "linkage/parameters.h"

namespace gyrenda {

// A design as the window holds it: the parameters, and the boxes and spin bars as the passes
// left them, which need not read back as the parameters (a crank typed 0.4 keeps 0.4 while
// its box and bar show 1).
struct DesignState {
  ParameterSet parameters{};
  std::array<std::string, kParamCount> boxText{};
  std::array<int, kParamCount> spinValue{};
  // A whole analysis of this design ran to its end while it was in place: undo and redo that
  // come back to it show its paths again.
  bool analysed = false;
};

class DesignHistory {
 public:
  // The oldest designs are dropped beyond this many steps back.
  static constexpr std::size_t kDepth = 100;

  // Starts afresh from `design`, with nothing to undo or redo.
  void reset(const DesignState& design);
  // The design now in place. One with the parameters in place changes nothing; any other
  // becomes a step that can be undone and clears what could be redone.
  void record(const DesignState& design);

  bool canUndo() const { return !past_.empty(); }
  bool canRedo() const { return !future_.empty(); }
  // The design to put back, which is then the one in place; empty when there is none.
  std::optional<DesignState> undo();
  std::optional<DesignState> redo();
  const DesignState& current() const { return current_; }
  // The design in place was analysed to the end.
  void markAnalysed() { current_.analysed = true; }

 private:
  DesignState current_;
  std::vector<DesignState> past_, future_;  // nearest last
};

}  // namespace gyrenda
