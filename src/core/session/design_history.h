// The designs the user can go back to: 元に戻す and やり直し over whole parameter sets. The
// history holds the design in place and the ones before and after it; a design recorded that
// differs from the one in place becomes the one in place, and the designs after it are gone.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "linkage/parameters.h"

namespace gyrenda {

class DesignHistory {
 public:
  // The oldest designs are dropped beyond this many steps back.
  static constexpr std::size_t kDepth = 100;

  // Starts afresh from `design`, with nothing to undo or redo.
  void reset(const ParameterSet& design);
  // The design now in place. One equal to the design in place before changes nothing; any
  // other becomes a step that can be undone and clears what could be redone.
  void record(const ParameterSet& design);
  // Replaces the design in place without a step: what a restore actually produced.
  void settle(const ParameterSet& design) { current_ = design; }

  bool canUndo() const { return !past_.empty(); }
  bool canRedo() const { return !future_.empty(); }
  // The design to put back, which is then the one in place; empty when there is none.
  std::optional<ParameterSet> undo();
  std::optional<ParameterSet> redo();
  const ParameterSet& current() const { return current_; }

 private:
  ParameterSet current_{};
  std::vector<ParameterSet> past_, future_;  // nearest last
};

}  // namespace gyrenda
