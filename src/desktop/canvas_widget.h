// The canvas control: shows the core's raster one to one and reports the pointer in canvas
// coordinates.
#pragma once

#include <QImage>
#include <QWidget>
#include <vector>

#include "canvas/raster.h"
#include "kinematics/vec2.h"

namespace gyrenda {

class CanvasWidget : public QWidget {
  Q_OBJECT

 public:
  explicit CanvasWidget(const Raster& raster, QWidget* parent = nullptr);

  // The canvas point that the pixel under a widget position stands for: the centre of that
  // pixel in the raster's current view, so that drawing and read-back find the same pixel.
  CanvasPoint canvasPointAt(QPoint widgetPos) const;

  // The points a synthesis aims at, in world units (y upwards), drawn as numbered crosses over
  // the raster on the widget alone: the raster, which the searches read, never holds them.
  void setTargets(std::vector<Vec2> targets);
  const std::vector<Vec2>& targets() const { return targets_; }

 signals:
  void pointerMoved(double x, double y);
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  const Raster& raster_;
  // Shares the raster's memory, so a paint shows the raster as it is now without a copy.
  const QImage image_;
  std::vector<Vec2> targets_;
};

}  // namespace gyrenda
