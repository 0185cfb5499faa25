// What the design sheet's pages share: the page's measures, its title, headings and tables of
// text, drawn through a QPainter on a page whose device units the painter knows. Places and
// sizes are in millimetres from the page's top left corner.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "tolerance/tolerance_analysis.h"

class QPainter;

namespace gyrenda {

// A4 portrait: the margin, the width between the margins, the top of what follows the title.
inline constexpr double kMargin = 15, kTextWidth = 180, kPageHeight = 297, kPageTop = 26;

using TableRows = std::vector<QStringList>;

// The page's title on the left and a note on the right of the same line.
void drawTitle(QPainter& p, const QString& title, const QString& note);
// A bold line at `y`; returns where what follows it starts.
double drawHeading(QPainter& p, double y, const QString& text);
// Rows of cells in columns of `widths` from (x, y), a bold header row first where one is
// given; a cell too wide for its column is made narrower rather than cut. Returns the y
// below the last row.
double drawTable(QPainter& p, double x, double y, const std::vector<double>& widths,
                 const QStringList& header, const TableRows& rows);

// The page of the tolerance analysis: the tolerances taken, the distances of the points from
// their nominal places over the turn, the spread of the figures and the ranked sensitivities.
void drawTolerancePage(QPainter& p, const ToleranceResult& result, const ToleranceOptions& options);

}  // namespace gyrenda
