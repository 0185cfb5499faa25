#include "session/design_history.h"

#include <utility>

namespace gyrenda {

void DesignHistory::reset(const DesignState& design) {
  current_ = design;
  past_.clear();
  future_.clear();
}

void DesignHistory::record(const DesignState& design) {
  if (design.parameters == current_.parameters) return;
  past_.push_back(std::exchange(current_, design));
  if (past_.size() > kDepth) past_.erase(past_.begin());
  future_.clear();
}

std::optional<DesignState> DesignHistory::undo() {
  if (past_.empty()) return std::nullopt;
  future_.push_back(std::exchange(current_, past_.back()));
  past_.pop_back();
  return current_;
}

std::optional<DesignState> DesignHistory::redo() {
  if (future_.empty()) return std::nullopt;
  past_.push_back(std::exchange(current_, future_.back()));
  future_.pop_back();
  return current_;
}

}  // namespace gyrenda
