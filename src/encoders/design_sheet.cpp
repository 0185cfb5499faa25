#include "encoders/design_sheet.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <cmath>

#include "encoders/parameter_names.h"
#include "encoders/report_rows.h"
#include "encoders/sheet_plot.h"
#include "encoders/sheet_tables.h"
#include "kinematics/kinematic_columns.h"
#include "linkage/number_text.h"

namespace gyrenda {
namespace {

struct Sheet {
  Q_DECLARE_TR_FUNCTIONS(DesignSheet)
};

// The frame of the drawing on page 1, mm.
constexpr double kFrameHeight = 120;
// Room left inside the frame around the drawing, mm.
constexpr double kFramePadding = 5;

// The canvas's palette is made for black; on white paper its bright colours are darkened.
QColor paperColour(Colour c) {
  static const QColor kPaper[16] = {
      {0, 0, 0},     {0, 0, 128},   {0, 128, 0},   {0, 110, 110}, {128, 0, 0},   {128, 0, 128},
      {110, 110, 0}, {150, 150, 150}, {110, 110, 110}, {0, 0, 220}, {0, 150, 0}, {0, 140, 160},
      {210, 0, 0},   {180, 0, 180}, {190, 140, 0}, {0, 0, 0}};
  return kPaper[c & 15];
}

// World (mm, y up) to the page (device units, y down) at 1:n, the items' centre on `centre`.
struct PaperMap {
  QPointF centre;
  double worldX, worldY, unitsPerWorld;
  QPointF operator()(WorldPoint w) const {
    return {centre.x() + (w.x - worldX) * unitsPerWorld, centre.y() - (w.y - worldY) * unitsPerWorld};
  }
};

// Draws one item of the drawing in its paper colour; a point that is not finite is left out.
struct ItemPainter {
  QPainter& p;
  const PaperMap& map;
  double mm;
  void operator()(const Circle& c) const {
    if (!isFinite(c.centre) || !std::isfinite(c.radius)) return;
    const double r = c.radius * map.unitsPerWorld;
    p.drawEllipse(map(c.centre), r, r);
  }
  void operator()(const Arc& a) const {
    if (!isFinite(a.centre) || !std::isfinite(a.radius)) return;
    const double r = a.radius * map.unitsPerWorld;
    const QRectF box(map(a.centre) - QPointF(r, r), QSizeF(2 * r, 2 * r));
    const double to = a.toDegrees >= a.fromDegrees ? a.toDegrees : a.toDegrees + 360.0;
    QPainterPath path;
    path.arcMoveTo(box, a.fromDegrees);
    path.arcTo(box, a.fromDegrees, to - a.fromDegrees);
    p.drawPath(path);
  }
  void operator()(const Segment& s) const {
    if (isFinite(s.from) && isFinite(s.to)) p.drawLine(map(s.from), map(s.to));
  }
  void operator()(const Pivot& pivot) const {
    if (isFinite(pivot.at)) p.drawEllipse(map(pivot.at), 0.8 * mm, 0.8 * mm);
  }
  void operator()(const Polyline& line) const {
    QPainterPath path;
    bool open = false;
    for (const WorldPoint& v : line.vertices) {
      if (!isFinite(v)) {
        open = false;
        continue;
      }
      if (open) path.lineTo(map(v));
      else path.moveTo(map(v));
      open = true;
    }
    p.drawPath(path);
  }
};

void drawDesign(QPainter& p, const Drawing& drawing, const QRectF& frame, int scale) {
  const double mm = unitsPerMm(p);
  const Bounds b = itemsExtent(drawing);
  if (b.left > b.right) return;
  const PaperMap map{frame.center(), (b.left + b.right) / 2.0, (b.bottom + b.top) / 2.0,
                     mm / scale};
  p.save();
  p.setClipRect(frame);
  p.setBrush(Qt::NoBrush);
  for (const DrawingItem& item : drawing.items) {
    p.setPen(QPen(paperColour(item.colour), 0.25 * mm, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    std::visit(ItemPainter{p, map, mm}, item.shape);
  }
  p.restore();
}

QString number(double v) {
  return QString::fromStdString(formatBoxNumber(static_cast<float>(std::round(v * 100.0) / 100.0 + 0.0)));
}

void drawFirstPage(QPainter& p, const SheetContent& c) {
  const double mm = unitsPerMm(p);
  const int scale = sheetScale(c.drawing, kTextWidth - 2 * kFramePadding,
                               kFrameHeight - 2 * kFramePadding);
  drawTitle(p, Sheet::tr("設計シート"), Sheet::tr("尺度 1:%1（単位 mm）").arg(scale));
  const QRectF frame(kMargin * mm, kPageTop * mm, kTextWidth * mm, kFrameHeight * mm);
  p.setPen(QPen(QColor(170, 170, 170), 0.2 * mm));
  p.drawRect(frame);
  drawDesign(p, c.drawing, frame, scale);
  double y = kPageTop + kFrameHeight + 6;
  y = drawHeading(p, y, Sheet::tr("設計値 (mm)"));
  TableRows values;
  for (int k = 0; k < kParamCount; ++k)
    values.push_back({parameterName(k), QString::fromStdString(formatBoxNumber(c.report.parameters[k]))});
  const auto half = values.begin() + (kParamCount + 1) / 2;
  const double below = drawTable(p, kMargin, y, {62, 26}, {}, TableRows(values.begin(), half));
  drawTable(p, kMargin + 92, y, {62, 26}, {}, TableRows(half, values.end()));
  y = drawHeading(p, below + 3, Sheet::tr("特性値"));
  TableRows figures;
  for (const auto& [caption, value] : designRows(c.report, c.kinematics))
    figures.push_back({caption, value});
  drawTable(p, kMargin, y, {70, 110}, {}, figures);
}

std::vector<std::optional<double>> column(const KinematicCurves& curves, KinematicQuantity q) {
  std::vector<std::optional<double>> values;
  for (const ExactPose& pose : curves.samples) values.push_back(quantityAt(pose, q));
  return values;
}

std::vector<PlotSpec> kinematicPlots(const KinematicCurves& curves) {
  std::vector<double> xs;
  for (const ExactPose& pose : curves.samples) xs.push_back(pose.crankAngle);
  const auto curve = [&](const QString& name, KinematicQuantity q, int colour, bool right = false) {
    return PlotCurve{name, column(curves, q), paperColour(static_cast<Colour>(colour)), false, right};
  };
  using Q = KinematicQuantity;
  return {
      {Sheet::tr("伝達角"), Sheet::tr("角度 (°)"), {}, xs,
       {curve(Sheet::tr("伝達角"), Q::TransmissionAngle, 1)}},
      {Sheet::tr("てこの角度とスライダの位置"), Sheet::tr("角度 (°)"), Sheet::tr("位置 (mm)"), xs,
       {curve(Sheet::tr("てこの角度"), Q::LeverAngle, 2),
        curve(Sheet::tr("スライダの位置"), Q::SliderPosition, 12, true)}},
      {Sheet::tr("速さ"), Sheet::tr("mm/s"), {}, xs,
       {curve(Sheet::tr("4節リンク出力点"), Q::OutputSpeed, 9),
        curve(Sheet::tr("スライダ"), Q::SliderVelocity, 12)}},
      {Sheet::tr("加速度"), Sheet::tr("mm/s²"), {}, xs,
       {curve(Sheet::tr("4節リンク出力点"), Q::OutputAccelerationSize, 9),
        curve(Sheet::tr("スライダ"), Q::SliderAcceleration, 12)}},
      {Sheet::tr("入力トルク（スライダの力 1 N あたり）"), Sheet::tr("N·mm/N"), {}, xs,
       {curve(Sheet::tr("入力トルク"), Q::InputTorquePerNewton, 5)}},
  };
}

void drawKinematicsPage(QPainter& p, const SheetContent& c) {
  const double mm = unitsPerMm(p);
  drawTitle(p, Sheet::tr("運動学"),
            Sheet::tr("クランク %1 rpm、横軸はクランク角 (°)").arg(number(c.kinematics.curves.rpm)));
  const std::vector<PlotSpec> plots = kinematicPlots(c.kinematics.curves);
  const double top = kPageTop, height = (kPageHeight - kMargin - top) / static_cast<double>(plots.size());
  for (std::size_t i = 0; i < plots.size(); ++i)
    drawPlot(p, QRectF(kMargin * mm, (top + height * static_cast<double>(i)) * mm,
                       kTextWidth * mm, (height - 3) * mm),
             plots[i]);
}

std::optional<std::string> writePdf(const SheetContent& c) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  writer.setResolution(600);
  writer.setCreator(QStringLiteral("Gyrenda"));
  writer.setTitle(Sheet::tr("設計シート"));
  QPainter p;
  if (!p.begin(&writer)) return std::nullopt;
  QFont font(QStringLiteral("sans-serif"));
  font.setPointSizeF(8);
  // No ligatures: "offset" stays six letters for whoever searches the text.
  font.setStyleStrategy(QFont::PreferNoShaping);
  p.setFont(font);
  drawFirstPage(p, c);
  writer.newPage();
  drawKinematicsPage(p, c);
  if (c.tolerance) {
    writer.newPage();
    drawTolerancePage(p, *c.tolerance, c.toleranceOptions);
  }
  if (!p.end()) return std::nullopt;
  return buffer.data().toStdString();
}

}  // namespace

int sheetScale(const Drawing& drawing, double width, double height) {
  const Bounds b = itemsExtent(drawing);
  if (b.left > b.right) return 1;
  const double w = static_cast<double>(b.right) - b.left, h = static_cast<double>(b.top) - b.bottom;
  for (const int n : kSheetScales)
    if (w / n <= width && h / n <= height) return n;
  return std::end(kSheetScales)[-1];
}

std::optional<std::string> designSheetPdf(const SheetContent& content) {
  return writePdf(content);
}

}  // namespace gyrenda
