// Plots against the crank angle drawn as vectors through a QPainter, for printed pages: the
// design sheet's kinematics and tolerance plots. The window's own plots are Qt Charts, which
// needs widgets; these need only Qt Gui, so the headless program draws them too.
#pragma once

#include <QColor>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

namespace gyrenda {

struct PlotCurve {
  QString name;                               // in the legend
  std::vector<std::optional<double>> values;  // one per crank angle; a gap where none
  QColor colour;
  bool dashed = false;
  bool rightAxis = false;  // measured on the right-hand axis
};

struct PlotSpec {
  QString title, leftTitle, rightTitle;  // no right-hand axis where its title is empty
  std::vector<double> crankAngles;       // degrees, 0 … 360
  std::vector<PlotCurve> curves;
};

// An axis from `low` to `high` in ticks `step` apart.
struct AxisRange {
  double low, high, step;
};

// The values' span widened to whole ticks of 1, 2 or 5 times a power of ten, two to seven of
// them; 0 … 1 where there is no value (low > high), ± 1 about a single value.
AxisRange niceAxis(double low, double high);

// The plot in `box` (device units): title and legend above, the crank angle along the bottom
// in quarter turns, each curve's stretches as lines. Values that are not finite are gaps.
void drawPlot(QPainter& painter, const QRectF& box, const PlotSpec& spec);

// Device units per millimetre of the painter's device.
double unitsPerMm(const QPainter& painter);

}  // namespace gyrenda
