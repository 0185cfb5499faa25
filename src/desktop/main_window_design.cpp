// The main window's 編集 and 設計 menus: undo and redo of whole designs beside the entry
// boxes' own undo, and the path synthesis with its points over the canvas.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

#include "desktop/canvas_widget.h"
#include "desktop/main_window.h"
#include "desktop/secondary_windows.h"
#include "desktop/gait_page.h"
#include "desktop/synthesis_dialog.h"

namespace gyrenda {

bool MainWindow::menuTakesKey(QObject* watched, const QKeyEvent& key) const {
  if (std::ranges::find(box_, watched) == box_.end()) return false;
  const QKeyCombination combination = key.keyCombination();
  return combination == undo_->shortcut()[0] || combination == redo_->shortcut()[0];
}

QLineEdit* MainWindow::focusedBox() const {
  const auto box = std::ranges::find(box_, QApplication::focusWidget());
  return box == box_.end() ? nullptr : *box;
}

// The box's own undo holds only what its pass has not read yet (the window clears it when the
// pass runs), so Ctrl+Z first takes back the typing in progress, then whole designs.
bool MainWindow::undoTyping(bool undo) {
  QLineEdit* box = focusedBox();
  if (!box || !(undo ? box->isUndoAvailable() : box->isRedoAvailable())) return false;
  if (undo) box->undo();
  else box->redo();
  showUndoState();
  return true;
}

void MainWindow::showUndoState() {
  const ControlState& c = bench_.controls();
  QLineEdit* box = focusedBox();
  const bool undo = c.canUndo || (box && box->isUndoAvailable());
  const bool redo = c.canRedo || (box && box->isRedoAvailable());
  if (undo_->isEnabled() != undo) undo_->setEnabled(undo);
  if (redo_->isEnabled() != redo) redo_->setEnabled(redo);
}

void MainWindow::openSynthesis() {
  if (!synthesisDialog_) {
    synthesisDialog_ = new SynthesisDialog(
        [this] {
          commitEdit();
          return bench_.linkage().parameters;
        },
        this);
    connect(synthesisDialog_, &SynthesisDialog::targetsChanged, this, &MainWindow::showTargets);
    connect(synthesisDialog_, &SynthesisDialog::applyRequested, this,
            &MainWindow::applyCandidate);
    connect(synthesisDialog_, &SynthesisDialog::sliderApplyRequested, this,
            &MainWindow::applySliderCandidate);
    connect(synthesisDialog_->gaitPage(), &GaitPage::footPathChanged, this, &MainWindow::showTargets);
    connect(synthesisDialog_->gaitPage(), &GaitPage::applyRequested, this,
            &MainWindow::applyCandidate);
    synthesisDialog_->setApplyAllowed(bench_.controls().enabled(Control::Execute));
    // Ctrl+Z and Ctrl+Shift+Z step through the designs from here too.
    synthesisDialog_->addActions({undo_, redo_});
  }
  // Beside the main window, so that the canvas where points are double-clicked stays in view.
  showBeside(*synthesisDialog_, this, synthesisDialog_->minimumSizeHint());
}

void MainWindow::showTargets() {
  const bool shown = synthesisDialog_ && synthesisDialog_->isVisible();
  canvas_->setTargets(shown ? synthesisDialog_->shownTargets() : std::vector<Vec2>{});
  const GaitPage* gait = shown ? synthesisDialog_->gaitPage() : nullptr;
  canvas_->setFootPath(gait ? gait->footPath() : std::vector<Vec2>{},
                       gait ? gait->stancePath() : std::vector<Vec2>{});
}

void MainWindow::addTargetAtPointer() {
  // The readout's point, in the world's frame as the readout shows it (y upwards).
  if (const auto& at = bench_.controls().readout) synthesisDialog_->addTarget({at->x, -at->y});
}

}  // namespace gyrenda
