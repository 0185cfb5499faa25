#include "encoders/sheet_plot.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace gyrenda {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct Span {
  double low = kInf, high = -kInf;
};

Span spanOf(const PlotSpec& spec, bool right) {
  Span s;
  for (const PlotCurve& c : spec.curves) {
    if (c.rightAxis != right) continue;
    for (const auto& v : c.values)
      if (v && std::isfinite(*v)) {
        s.low = std::min(s.low, *v);
        s.high = std::max(s.high, *v);
      }
  }
  return s;
}

// As many decimals as a tick interval needs, so that no label shows rounding noise.
QString tickLabel(double v, double step) {
  const int decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 6);
  const double shown = std::abs(v) < step * 1e-6 ? 0.0 : v;
  return QString::number(shown, 'f', decimals);
}

// The values of an axis's ticks, counted rather than summed, so that rounding cannot add or
// drop one.
std::vector<double> ticks(const AxisRange& axis) {
  const auto count = std::lround((axis.high - axis.low) / axis.step);
  std::vector<double> values;
  for (long k = 0; k <= std::clamp(count, 0L, 20L); ++k)
    values.push_back(axis.low + static_cast<double>(k) * axis.step);
  return values;
}

// Where a value stands on a vertical axis in `area`.
double yOf(double v, const AxisRange& axis, const QRectF& area) {
  return area.bottom() - (v - axis.low) / (axis.high - axis.low) * area.height();
}

void drawCurve(QPainter& p, const PlotSpec& spec, const PlotCurve& c, const AxisRange& axis,
               const QRectF& area, double mm) {
  QPainterPath path;
  bool open = false;
  const std::size_t n = std::min(spec.crankAngles.size(), c.values.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto& v = c.values[i];
    if (!v || !std::isfinite(*v) || !std::isfinite(spec.crankAngles[i])) {
      open = false;
      continue;
    }
    const QPointF at(area.left() + spec.crankAngles[i] / 360.0 * area.width(), yOf(*v, axis, area));
    if (open) path.lineTo(at);
    else path.moveTo(at);
    open = true;
  }
  QPen pen(c.colour, 0.3 * mm);
  if (c.dashed) pen.setStyle(Qt::DashLine);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

// The grid, the ticks and their labels of the crank angle and of the value axes.
void drawAxes(QPainter& p, const QRectF& area, const AxisRange& left,
              const std::optional<AxisRange>& right, double mm) {
  const QFontMetricsF metrics(p.font());
  p.setPen(QPen(QColor(215, 215, 215), 0.15 * mm));
  for (int a = 0; a <= 360; a += 45) {
    const double x = area.left() + a / 360.0 * area.width();
    p.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
  }
  for (const double v : ticks(left))
    p.drawLine(QPointF(area.left(), yOf(v, left, area)), QPointF(area.right(), yOf(v, left, area)));
  p.setPen(QPen(Qt::black, 0.2 * mm));
  p.drawRect(area);
  for (int a = 0; a <= 360; a += 90) {
    const double x = area.left() + a / 360.0 * area.width();
    const QString label = QString::number(a);
    p.drawText(QPointF(x - metrics.horizontalAdvance(label) / 2, area.bottom() + metrics.ascent() + mm),
               label);
  }
  const auto labels = [&](const AxisRange& axis, bool onRight) {
    for (const double v : ticks(axis)) {
      const QString label = tickLabel(v, axis.step);
      const double w = metrics.horizontalAdvance(label);
      const double x = onRight ? area.right() + mm : area.left() - mm - w;
      p.drawText(QPointF(x, yOf(v, axis, area) + metrics.ascent() / 2.5), label);
    }
  };
  labels(left, false);
  if (right) labels(*right, true);
}

void drawLegend(QPainter& p, const QRectF& box, const PlotSpec& spec, double mm) {
  const QFontMetricsF metrics(p.font());
  double x = box.right();
  for (auto c = spec.curves.rbegin(); c != spec.curves.rend(); ++c) {
    if (c->name.isEmpty()) continue;
    x -= metrics.horizontalAdvance(c->name);
    p.setPen(Qt::black);
    p.drawText(QPointF(x, box.top() + metrics.ascent()), c->name);
    x -= 7 * mm;
    QPen pen(c->colour, 0.4 * mm);
    if (c->dashed) pen.setStyle(Qt::DashLine);
    p.setPen(pen);
    const double y = box.top() + metrics.ascent() * 0.6;
    p.drawLine(QPointF(x, y), QPointF(x + 5.5 * mm, y));
    x -= 4 * mm;
  }
}

}  // namespace

double unitsPerMm(const QPainter& painter) { return painter.device()->logicalDpiX() / 25.4; }

AxisRange niceAxis(double low, double high) {
  if (!(low <= high) || !std::isfinite(low) || !std::isfinite(high)) return {0, 1, 0.2};
  // A span within rounding of its values would give ticks the values cannot tell apart.
  const double size = std::max(std::abs(low), std::abs(high));
  if (high - low <= size * 1e-12) {
    low -= std::max(1.0, size * 1e-9);
    high += std::max(1.0, size * 1e-9);
  } else if (high - low < size * 1e-9) {
    const double middle = low / 2 + high / 2;
    low = middle - size * 5e-10;
    high = middle + size * 5e-10;
  }
  const double raw = (high - low) / 5;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  double step = power * 10;
  for (const double m : {1.0, 2.0, 5.0})
    if (raw <= m * power * 1.0000001) {
      step = m * power;
      break;
    }
  return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

void drawPlot(QPainter& p, const QRectF& box, const PlotSpec& spec) {
  const double mm = unitsPerMm(p);
  p.save();
  QFont font = p.font();
  font.setPointSizeF(7);
  p.setFont(font);
  const QFontMetricsF metrics(font);
  const bool twoAxes = !spec.rightTitle.isEmpty();
  const QRectF area = box.adjusted(16 * mm, metrics.height() * 2.2, twoAxes ? -16 * mm : -3 * mm,
                                   -(metrics.height() + 2 * mm));
  const Span leftSpan = spanOf(spec, false), rightSpan = spanOf(spec, true);
  const AxisRange left = niceAxis(leftSpan.low, leftSpan.high);
  const std::optional<AxisRange> right =
      twoAxes ? std::optional(niceAxis(rightSpan.low, rightSpan.high)) : std::nullopt;
  drawAxes(p, area, left, right, mm);
  QFont bold = font;
  bold.setBold(true);
  p.setFont(bold);
  p.drawText(QPointF(box.left(), box.top() + metrics.ascent()), spec.title);
  p.setFont(font);
  p.drawText(QPointF(box.left(), area.top() - metrics.descent() - 0.5 * mm), spec.leftTitle);
  if (twoAxes)
    p.drawText(QPointF(area.right() - metrics.horizontalAdvance(spec.rightTitle),
                       area.top() - metrics.descent() - 0.5 * mm),
               spec.rightTitle);
  drawLegend(p, box, spec, mm);
  p.setClipRect(area);
  for (const PlotCurve& c : spec.curves)
    drawCurve(p, spec, c, c.rightAxis ? *right : left, area, mm);
  p.restore();
}

}  // namespace gyrenda
