#include "desktop/joint_overlay.h"

#include <QPainterPath>

#include "canvas/raster.h"

namespace gyrenda {
namespace {

const QColor kLinkInk(230, 230, 230);
const QColor kFourBarPathInk(0, 220, 255);   // cyan and orange: colours no quadrant uses
const QColor kSixBarPathInk(255, 170, 0);
const QColor kWarningInk(255, 60, 60);
constexpr double kHandleRadius = 4.5;

const std::optional<Vec2>& at(const HandlePlaces& joints, Handle h) {
  return joints[static_cast<int>(h)];
}

// The path through the points that exist, broken where a pose is missing.
QPainterPath pathThrough(const View& view, const std::vector<std::optional<Vec2>>& points) {
  QPainterPath path;
  bool open = false;
  for (const auto& p : points) {
    if (!p) {
      open = false;
      continue;
    }
    const QPointF q = pixelOf(view, *p);
    if (open) path.lineTo(q);
    else path.moveTo(q);
    open = true;
  }
  return path;
}

void paintLinks(QPainter& painter, const View& view, const HandlePlaces& j) {
  const auto line = [&](std::optional<Vec2> a, std::optional<Vec2> b) {
    if (a && b) painter.drawLine(pixelOf(view, *a), pixelOf(view, *b));
  };
  painter.setPen(QPen(kLinkInk, 1.5));
  const std::optional<Vec2> crankPivot = Vec2{0, 0};
  line(crankPivot, at(j, Handle::CrankTip));
  line(at(j, Handle::CrankTip), at(j, Handle::LeverTip));
  line(at(j, Handle::LeverTip), at(j, Handle::LeverPivot));
  line(at(j, Handle::CrankTip), at(j, Handle::FourBarOutput));
  line(at(j, Handle::LeverTip), at(j, Handle::FourBarOutput));
  line(at(j, Handle::FourBarOutput), at(j, Handle::SixBarOutput));
  painter.setPen(QPen(kLinkInk, 1.0, Qt::DashLine));
  line(at(j, Handle::SlideStart), at(j, Handle::SlideEnd));
}

void paintHandles(QPainter& painter, const View& view, const JointOverlay& overlay) {
  for (int k = 0; k < kHandleCount; ++k) {
    const auto& p = overlay.joints[k];
    if (!p) continue;
    const bool selected = overlay.selected == static_cast<Handle>(k);
    painter.setPen(QPen(Qt::black, 3.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(pixelOf(view, *p), kHandleRadius, kHandleRadius);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(selected ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
    painter.drawEllipse(pixelOf(view, *p), kHandleRadius, kHandleRadius);
  }
  painter.setBrush(Qt::NoBrush);
}

}  // namespace

QPointF pixelOf(const View& view, Vec2 p) {
  const double scaleX = Raster::kWidth / (100.0 * view.zoomLevel);
  const double scaleY = Raster::kHeight / (60.0 * view.zoomLevel);
  return {(p.x - view.left) * scaleX, (-p.y - view.top) * scaleY};
}

void paintJointOverlay(QPainter& painter, const View& view, const JointOverlay& overlay) {
  // The paths one pixel wide and not smoothed, as the raster draws its own: a preview step
  // then stays well within the time between two pointer moves.
  painter.setRenderHint(QPainter::Antialiasing, false);
  if (const DragPreview* preview = overlay.preview) {
    const bool warn = preview->problem != DragProblem::None;
    const Qt::PenStyle style = warn ? Qt::DashLine : Qt::SolidLine;
    painter.setPen(QPen(warn ? kWarningInk : kFourBarPathInk, 0, style));
    painter.drawPath(pathThrough(view, preview->fourBarPath));
    painter.setPen(QPen(warn ? kWarningInk : kSixBarPathInk, 0, style));
    painter.drawPath(pathThrough(view, preview->sixBarPath));
  }
  painter.setRenderHint(QPainter::Antialiasing);
  if (overlay.joints[static_cast<int>(Handle::LeverPivot)]) paintLinks(painter, view, overlay.joints);
  paintHandles(painter, view, overlay);
}

}  // namespace gyrenda
