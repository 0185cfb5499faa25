#include "desktop/chart_file.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QPainter>
#include <QSvgGenerator>

#include "files/atomic_file.h"

namespace gyrenda {

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

}  // namespace gyrenda
