// The canvas control: shows the core's raster one to one and reports the pointer in canvas
// coordinates.
#pragma once

#include <QImage>
#include <QWidget>
#include <vector>

#include "canvas/raster.h"
#include "desktop/joint_overlay.h"
#include "kinematics/vec2.h"

class QPainter;

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
  // A walking leg's foot path over a turn and its stance (world units, y upwards), drawn over
  // the raster on the widget alone, the stance in a second colour; empty hides them.
  void setFootPath(std::vector<Vec2> path, std::vector<Vec2> stance);
  const std::vector<Vec2>& stance() const { return stance_; }

  // The linkage, its handles and a drag's preview over the raster in `view`; none hides them.
  void setJointOverlay(std::optional<JointOverlay> overlay, const View& view);
  bool showsJointOverlay() const { return overlay_.has_value(); }

  // The world point (mm, y upwards) under a widget position, as the readout reports it.
  Vec2 worldPointAt(QPointF widgetPos) const;

 signals:
  void pointerMoved(double x, double y);
  void doubleClicked();
  // The left button pressed, the pointer moved with it held, and released, at world points.
  void pressed(Vec2 world, Qt::KeyboardModifiers modifiers);
  void dragged(Vec2 world, Qt::KeyboardModifiers modifiers);
  void released();
  // A key the canvas takes while it has the focus: Esc, the arrows, and the keys that choose a
  // handle.
  void keyPressed(int key, Qt::KeyboardModifiers modifiers);
  // The pointer entered or left the canvas, or the focus did.
  void attentionChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void paintFootPath(QPainter& painter) const;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  const Raster& raster_;
  // Shares the raster's memory, so a paint shows the raster as it is now without a copy.
  const QImage image_;
  std::vector<Vec2> targets_;
  std::vector<Vec2> footPath_, stance_;
  std::optional<JointOverlay> overlay_;
  View overlayView_;
  bool leftHeld_ = false;
};

}  // namespace gyrenda
