#include "encoders/sheet_tables.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <numeric>

#include "encoders/sheet_plot.h"

namespace gyrenda {

void drawTitle(QPainter& p, const QString& title, const QString& note) {
  const double mm = unitsPerMm(p);
  QFont font = p.font();
  font.setPointSizeF(14);
  font.setBold(true);
  p.save();
  p.setPen(Qt::black);
  p.setFont(font);
  const double baseline = kMargin * mm + QFontMetricsF(font).ascent();
  p.drawText(QPointF(kMargin * mm, baseline), title);
  font.setPointSizeF(10);
  p.setFont(font);
  p.drawText(QPointF((kMargin + kTextWidth) * mm - QFontMetricsF(font).horizontalAdvance(note),
                     baseline),
             note);
  p.restore();
}

double drawHeading(QPainter& p, double y, const QString& text) {
  const double mm = unitsPerMm(p);
  QFont font = p.font();
  font.setPointSizeF(10);
  font.setBold(true);
  p.save();
  p.setPen(Qt::black);
  p.setFont(font);
  const QFontMetricsF metrics(font);
  p.drawText(QPointF(kMargin * mm, y * mm + metrics.ascent()), text);
  p.restore();
  return y + metrics.height() / mm + 1;
}

namespace {

// One cell's text from its column's left edge at the baseline, squeezed to `width`.
void drawCell(QPainter& p, double x, double baseline, double width, const QString& text) {
  const double advance = QFontMetricsF(p.font()).horizontalAdvance(text);
  p.save();
  p.translate(x, baseline);
  if (advance > width && advance > 0) p.scale(width / advance, 1);
  p.drawText(QPointF(0, 0), text);
  p.restore();
}

}  // namespace

double drawTable(QPainter& p, double x, double y, const std::vector<double>& widths,
                 const QStringList& header, const TableRows& rows) {
  const double mm = unitsPerMm(p);
  const QFontMetricsF metrics(p.font());
  const double rowHeight = metrics.height() * 1.12;
  double top = y * mm;
  const double total = std::accumulate(widths.begin(), widths.end(), 0.0) * mm;
  p.save();
  p.setPen(Qt::black);
  const auto row = [&](const QStringList& cells) {
    double left = x * mm;
    for (qsizetype k = 0; k < cells.size() && k < static_cast<qsizetype>(widths.size()); ++k) {
      const double w = widths[static_cast<std::size_t>(k)] * mm;
      drawCell(p, left, top + metrics.ascent(), w - 1.5 * mm, cells[k]);
      left += w;
    }
    top += rowHeight;
  };
  if (!header.isEmpty()) {
    QFont bold = p.font();
    bold.setBold(true);
    p.setFont(bold);
    row(header);
    QFont plain = bold;
    plain.setBold(false);
    p.setFont(plain);
    p.setPen(QPen(QColor(120, 120, 120), 0.15 * mm));
    p.drawLine(QPointF(x * mm, top - rowHeight * 0.08), QPointF(x * mm + total, top - rowHeight * 0.08));
    p.setPen(Qt::black);
  }
  for (const QStringList& cells : rows) row(cells);
  p.restore();
  return top / mm;
}

}  // namespace gyrenda
