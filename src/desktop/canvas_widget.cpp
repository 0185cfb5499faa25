#include "desktop/canvas_widget.h"

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
  // A click on the canvas takes the focus, so that leaving an entry box this way validates it.
  setFocusPolicy(Qt::ClickFocus);
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

void CanvasWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect r = event->rect();
  painter.drawImage(r.topLeft(), image_, r);
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
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit doubleClicked();
}

}  // namespace gyrenda
