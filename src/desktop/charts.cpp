#include "desktop/charts.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QFontMetricsF>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMessageBox>
#include <QPainter>
#include <QSvgGenerator>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "desktop/messages.h"
#include "files/atomic_file.h"

namespace gyrenda {

QColor plotColour(int index) {
  static const QColor colours[] = {QColor(0x1f, 0x4e, 0x9a), QColor(0xc0, 0x39, 0x2b),
                                   QColor(0x2e, 0x9e, 0x44)};
  return colours[index % 3];
}

QColor lighterPlotColour(int index) {
  QColor c = plotColour(index);
  c.setAlpha(140);
  return c;
}

void ValueSpan::take(double v) {
  low = std::min(low, v);
  high = std::max(high, v);
}

QValueAxis* addAxis(QChart* chart, const QString& title, Qt::Alignment side) {
  auto* axis = new QValueAxis;
  axis->setTitleText(title);
  chart->addAxis(axis, side);
  return axis;
}

QValueAxis* addCrankAngleAxis(QChart* chart, const QString& title) {
  QValueAxis* axis = addAxis(chart, title, Qt::AlignBottom);
  axis->setRange(0, 360);
  axis->setTickCount(5);
  axis->setLabelFormat(QStringLiteral("%d"));
  return axis;
}

void niceRange(QValueAxis* axis, double low, double high) {
  if (!(low <= high)) low = 0, high = 1;
  if (low == high) low -= 1, high += 1;
  axis->setRange(low, high);
  axis->applyNiceNumbers();
  const int ticks = std::max(axis->tickCount(), 2);
  const double interval = (axis->max() - axis->min()) / (ticks - 1);
  int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(interval) + 1e-9)), 0, 9);
  const QFontMetricsF metrics(axis->labelsFont());
  double widest = 0;
  for (int i = 0; i < ticks; ++i)
    widest = std::max(widest, metrics.horizontalAdvance(QString::number(axis->min() + i * interval, 'f', decimals)));
  if (widest < metrics.horizontalAdvance(QStringLiteral("..."))) ++decimals;
  axis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
}

void addStretches(QChart* chart, std::size_t count,
                  const std::function<std::optional<QPointF>(std::size_t)>& at,
                  const QString& name, const QPen& pen, QValueAxis* x, QValueAxis* y,
                  ValueSpan& xs, ValueSpan& ys) {
  QLineSeries* stretch = nullptr;
  bool named = false;
  for (std::size_t i = 0; i < count; ++i) {
    const std::optional<QPointF> p = at(i);
    if (!p || !std::isfinite(p->x()) || !std::isfinite(p->y())) {
      stretch = nullptr;
      continue;
    }
    if (!stretch) {
      stretch = new QLineSeries;
      stretch->setPen(pen);
      chart->addSeries(stretch);
      stretch->attachAxis(x);
      stretch->attachAxis(y);
      if (!named && !name.isEmpty()) {
        stretch->setName(name);
        named = true;
      } else {
        for (QLegendMarker* m : chart->legend()->markers(stretch)) m->setVisible(false);
      }
    }
    stretch->append(*p);
    xs.take(p->x());
    ys.take(p->y());
  }
}

void replaceChart(QChartView* view, QChart* chart) {
  QChart* old = view->chart();
  view->setChart(chart);
  delete old;
}

int saveChartView(QChartView* view, const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (QString::fromStdString(path).endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(view->size());
    svg.setViewBox(QRect(QPoint(0, 0), view->size()));
    svg.setTitle(view->chart()->title());
    QPainter painter(&svg);
    view->render(&painter);
  } else if (!view->grab().toImage().save(&buffer, "PNG")) {
    return -1;
  }
  return saveFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void reportSaveFailure(QWidget* parent, const std::string& path, int error) {
  if (error == 0) return;
  const Message m = error < 0 ? Message{MessageId::ImageNotEncoded, path, 0, {}}
                              : Message{MessageId::SaveFailed, path, error, {}};
  QMessageBox::warning(parent, QStringLiteral("GYRENDA"), messageText(m));
}

}  // namespace gyrenda
