#include "desktop/canvas_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

#include "encoders/canvas_image.h"

namespace gyrenda {

CanvasWidget::CanvasWidget(const Raster& raster, QWidget* parent)
    : QWidget(parent), raster_(raster), image_(canvasImageView(raster)) {
  setFixedSize(Raster::kWidth, Raster::kHeight);
  // The image covers every pixel, so Qt need not erase the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Pointer moves are reported with no button held, as the readout needs.
  setMouseTracking(true);
  // A click on the canvas takes the focus, so that leaving an entry box this way validates it;
  // Tab reaches it too, for the arrow keys that move a handle.
  setFocusPolicy(Qt::StrongFocus);
}

CanvasPoint CanvasWidget::canvasPointAt(QPoint widgetPos) const {
  const PixelPos pixel{std::clamp(widgetPos.x(), 0, Raster::kWidth - 1),
                       std::clamp(widgetPos.y(), 0, Raster::kHeight - 1)};
  return raster_.pixelCentre(pixel);
}

void CanvasWidget::setTargets(std::vector<Vec2> targets) {
  targets_ = std::move(targets);
  update();
}

void CanvasWidget::setFootPath(std::vector<Vec2> path, std::vector<Vec2> stance) {
  if (path == footPath_ && stance == stance_) return;
  footPath_ = std::move(path), stance_ = std::move(stance);
  update();
}

void CanvasWidget::paintFootPath(QPainter& painter) const {
  painter.setRenderHint(QPainter::Antialiasing);
  const std::pair<const std::vector<Vec2>*, QPen> lines[] = {
      {&footPath_, QPen(QColor(255, 150, 0), 1.2)},   // orange, as the targets
      {&stance_, QPen(QColor(0, 220, 255), 3.0)}};   // cyan, which no palette colour is
  for (const auto& [points, pen] : lines) {
    painter.setPen(pen);
    for (std::size_t k = 1; k < points->size(); ++k) {
      const auto a = raster_.toPixel((*points)[k - 1].x, -(*points)[k - 1].y);
      const auto b = raster_.toPixel((*points)[k].x, -(*points)[k].y);
      if (a && b) painter.drawLine(QPointF(a->x + 0.5, a->y + 0.5), QPointF(b->x + 0.5, b->y + 0.5));
    }
  }
}

void CanvasWidget::setJointOverlay(std::optional<JointOverlay> overlay, const View& view) {
  if (!overlay && !overlay_) return;
  overlay_ = std::move(overlay);
  overlayView_ = view;
  update();
}

Vec2 CanvasWidget::worldPointAt(QPointF widgetPos) const {
  const CanvasPoint p = canvasPointAt(QPoint(static_cast<int>(std::floor(widgetPos.x())),
                                             static_cast<int>(std::floor(widgetPos.y()))));
  return {p.x, -p.y};
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect r = event->rect();
  painter.drawImage(r.topLeft(), image_, r);
  if (overlay_) paintJointOverlay(painter, overlayView_, *overlay_);
  if (!footPath_.empty()) paintFootPath(painter);
  if (targets_.empty()) return;
  // Each cross sits on the centre of the pixel that the point maps to, the pixel a search
  // would read there; a dark rim keeps it visible on the loci as on the black background.
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setFont(QFont(painter.font().family(), 7));
  const QColor ink(255, 150, 0);  // orange, which no palette colour is
  for (std::size_t n = 0; n < targets_.size(); ++n) {
    const auto pixel = raster_.toPixel(targets_[n].x, -targets_[n].y);
    if (!pixel) continue;
    const QPointF at(pixel->x + 0.5, pixel->y + 0.5);
    for (const auto& [colour, width] : {std::pair(QColor(Qt::black), 3.0), std::pair(ink, 1.4)}) {
      painter.setPen(QPen(colour, width));
      painter.drawLine(at + QPointF(-5, -5), at + QPointF(5, 5));
      painter.drawLine(at + QPointF(-5, 5), at + QPointF(5, -5));
    }
    painter.drawText(at + QPointF(6, -5), QString::number(n + 1));
  }
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPointF pos = event->position();
  const CanvasPoint p = canvasPointAt(QPoint(static_cast<int>(std::floor(pos.x())),
                                             static_cast<int>(std::floor(pos.y()))));
  emit pointerMoved(p.x, p.y);
  if (leftHeld_) emit dragged({p.x, -p.y}, event->modifiers());
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  leftHeld_ = true;
  emit pressed(worldPointAt(event->position()), event->modifiers());
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !leftHeld_) return;
  leftHeld_ = false;
  emit released();
}

void CanvasWidget::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      emit keyPressed(event->key(), event->modifiers());
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void CanvasWidget::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  emit attentionChanged();
}

void CanvasWidget::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  emit attentionChanged();
}

void CanvasWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  emit attentionChanged();
}

void CanvasWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  // A drag ends where the focus goes, as Esc ends it: the window manager may take it.
  if (leftHeld_) {
    leftHeld_ = false;
    emit keyPressed(Qt::Key_Escape, Qt::NoModifier);
  }
  emit attentionChanged();
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit doubleClicked();
}

}  // namespace gyrenda
