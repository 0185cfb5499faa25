// The hand on the mechanism: the canvas's handles, dragged with the mouse or moved with the
// keyboard, with the exact preview painted over the raster.
#include <QApplication>
#include <functional>
#include <QLabel>
#include <QPushButton>

#include "desktop/canvas_widget.h"
#include "desktop/main_window.h"

namespace gyrenda {
namespace {

// Dragged values are rounded to a tenth of a millimetre: finer than a pixel at any zoom.
constexpr double kDragResolution = 0.1;
// A press this many pixels from a handle takes it.
constexpr double kHandleReachPixels = 7.0;

}  // namespace

void MainWindow::connectJoints() {
  connect(canvas_, &CanvasWidget::pressed, this, &MainWindow::onCanvasPressed);
  connect(canvas_, &CanvasWidget::dragged, this, &MainWindow::onCanvasDragged);
  connect(canvas_, &CanvasWidget::released, this, &MainWindow::onCanvasReleased);
  connect(canvas_, &CanvasWidget::keyPressed, this, &MainWindow::onCanvasKey);
  connect(canvas_, &CanvasWidget::attentionChanged, this, &MainWindow::showJointOverlay);
}

void MainWindow::onCanvasPressed(Vec2 world, Qt::KeyboardModifiers) {
  commitEdit();
  if (bench_.running()) return;
  const double reach = kHandleReachPixels * 100.0 * bench_.view().zoomLevel / Raster::kWidth;
  const std::optional<Handle> handle = bench_.handleNear(world, reach);
  if (!handle || !bench_.beginDrag(*handle)) return;
  selectedHandle_ = *handle;
  showJointOverlay();
}

void MainWindow::onCanvasDragged(Vec2 world, Qt::KeyboardModifiers modifiers) {
  if (!bench_.jointDrag().active()) return;
  const bool scrub = (modifiers & Qt::ShiftModifier) && selectedHandle_ == Handle::CrankTip;
  bench_.dragTo(world, scrub, kDragResolution);
  showChanges(bench_.controls().takeChanges());
  showDragProblem(bench_.jointDrag().preview().problem, false);
  showJointOverlay();
}

void MainWindow::onCanvasReleased() {
  if (!bench_.jointDrag().active()) return;
  DragProblem problem = DragProblem::None;
  run(std::function<void(Workbench&)>([&problem](Workbench& b) { problem = b.endDrag(); }));
  showDragProblem(problem, true);
  showJointOverlay();
}

void MainWindow::onCanvasKey(int key, Qt::KeyboardModifiers modifiers) {
  if (key == Qt::Key_Escape) {
    if (!bench_.jointDrag().active()) return;
    run(std::function<void(Workbench&)>(&Workbench::cancelDrag));
    statusLine_->setText(tr("ドラッグを取り消しました。"));
    showJointOverlay();
    return;
  }
  if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
    const HandlePlaces places = bench_.handles();
    int k = static_cast<int>(selectedHandle_);
    do k = (k + (key == Qt::Key_PageDown ? 1 : kHandleCount - 1)) % kHandleCount;
    while (!places[k]);
    selectedHandle_ = static_cast<Handle>(k);
    showJointOverlay();
    return;
  }
  const double step = modifiers & Qt::ShiftModifier ? 10.0 : 1.0;
  const Vec2 delta = key == Qt::Key_Left    ? Vec2{-step, 0}
                     : key == Qt::Key_Right ? Vec2{step, 0}
                     : key == Qt::Key_Up    ? Vec2{0, step}
                                            : Vec2{0, -step};
  nudgeHandle(delta);
}

void MainWindow::nudgeHandle(Vec2 delta) {
  commitEdit();
  if (bench_.running() || bench_.jointDrag().active()) return;
  const auto place = bench_.handles()[static_cast<int>(selectedHandle_)];
  if (!place || !bench_.beginDrag(selectedHandle_)) return;
  bench_.dragTo(*place + delta, false, kDragResolution);
  onCanvasReleased();
}

void MainWindow::showDragProblem(DragProblem problem, bool refused) {
  QString why;
  switch (problem) {
    case DragProblem::None: break;
    case DragProblem::NotPositive: why = tr("長さが正でないか、大きすぎます"); break;
    case DragProblem::CrankLongerThanLever: why = tr("クランクがてこより長くなります"); break;
    case DragProblem::FixedLinkOutOfRange:
      why = tr("静止節が範囲の外で、クランクが一回りしません");
      break;
    case DragProblem::FourBarOpen: why = tr("組み立てられないクランク角があります"); break;
    case DragProblem::SixBarOpen: why = tr("６節リンクがスライドに届かないクランク角があります"); break;
  }
  statusLine_->setText(why.isEmpty() ? QString()
                       : refused     ? tr("取り消しました：%1。").arg(why)
                                     : tr("%1。").arg(why));
  statusFit_->hide();
}

void MainWindow::showJointOverlay() {
  const bool attending = canvas_->underMouse() || canvas_->hasFocus();
  const JointDrag& drag = bench_.jointDrag();
  if (bench_.running() || !(attending || drag.active())) {
    canvas_->setJointOverlay(std::nullopt, bench_.view());
    return;
  }
  JointOverlay overlay;
  overlay.selected = selectedHandle_;
  if (drag.active()) {
    overlay.joints = drag.preview().joints;
    overlay.preview = &drag.preview();
  } else {
    overlay.joints = bench_.handles();
  }
  canvas_->setJointOverlay(overlay, bench_.view());
}

}  // namespace gyrenda
