// The plots of the report window's two tabs, the exact kinematics and the tolerance analysis:
// their colours, axes and curves, made the same way for both, and how they are saved.
#pragma once

#include <QColor>
#include <QPen>
#include <QPointF>
#include <QString>
#include <cstddef>
#include <functional>
#include <limits>
#include <optional>
#include <string>

class QChart;
class QChartView;
class QValueAxis;
class QWidget;

namespace gyrenda {

// The curves' colours, in the order a chart's curves come (0, 1, 2): dark enough to read on
// white and on paper, and told apart without colour vision too by their place in the legend.
QColor plotColour(int index);
// A curve's companion (a band's edge, a largest value): its colour, lighter.
QColor lighterPlotColour(int index);

// The smallest and largest of the values taken; low > high before the first.
struct ValueSpan {
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();
  void take(double v);
};

// A value axis titled `title` on `side` of `chart`.
QValueAxis* addAxis(QChart* chart, const QString& title, Qt::Alignment side);
// The crank angle along the bottom: 0° to 360° in quarter turns.
QValueAxis* addCrankAngleAxis(QChart* chart, const QString& title);

// `axis` over low … high (0 … 1 when there is no range, ± 1 about a single value), widened to
// nice numbers. The labels take as many decimals as the tick interval needs, so that none
// shows rounding noise ("5.55112e-17" for a tick at 0), and one more where every label would be
// narrower than "...": QtCharts keeps that much beside a vertical axis's labels, and the room
// left is then too small for the axis's title, which shows as a lone "…".
void niceRange(QValueAxis* axis, double low, double high);

// A curve drawn where `at(i)`, i in [0, count), gives a finite point: each stretch a series of
// its own in `pen`, named once in the legend (not at all for an empty name), its points taken
// into `xs` and `ys`.
void addStretches(QChart* chart, std::size_t count,
                  const std::function<std::optional<QPointF>(std::size_t)>& at,
                  const QString& name, const QPen& pen, QValueAxis* x, QValueAxis* y,
                  ValueSpan& xs, ValueSpan& ys);

// Shows `chart` in `view`, which takes it, in place of the chart before.
void replaceChart(QChartView* view, QChart* chart);

// Writes what `view` shows as SVG (a name ending in .svg, in any case) or PNG through the
// careful save: 0 or the system's error number, -1 when the picture could not be made.
int saveChartView(QChartView* view, const std::string& path);

// Tells the user that a plot or table could not be saved (`error` as saveChartView gives it);
// nothing for 0.
void reportSaveFailure(QWidget* parent, const std::string& path, int error);

}  // namespace gyrenda
