#include "session/design_history.h"

#include <utility>

namespace gyrenda {

void DesignHistory::reset(const ParameterSet& design) {
  current_ = design;
  past_.clear();
  future_.clear();
}

void DesignHistory::record(const ParameterSet& design) {
  if (design == current_) return;
  past_.push_back(std::exchange(current_, design));
  if (past_.size() > kDepth) past_.erase(past_.begin());
  future_.clear();
}

std::optional<ParameterSet> DesignHistory::undo() {
  if (past_.empty()) return std::nullopt;
  future_.push_back(std::exchange(current_, past_.back()));
  past_.pop_back();
  return current_;
}

std::optional<ParameterSet> DesignHistory::redo() {
  if (future_.empty()) return std::nullopt;
  past_.push_back(std::exchange(current_, future_.back()));
  future_.pop_back();
  return current_;
}

}  // namespace gyrenda
