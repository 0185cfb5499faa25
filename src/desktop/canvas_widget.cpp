#include "desktop/canvas_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

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

void CanvasWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect r = event->rect();
  painter.drawImage(r.topLeft(), image_, r);
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
