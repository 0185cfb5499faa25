// The design sheet's page of the tolerance analysis.

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "encoders/parameter_names.h"
#include "encoders/sheet_plot.h"
#include "encoders/sheet_tables.h"

namespace gyrenda {
namespace {

struct Page {
  Q_DECLARE_TR_FUNCTIONS(ToleranceSheet)
};

QString fixed(double v, int decimals) {
  if (!std::isfinite(v)) return Page::tr("—");
  const double shown = std::abs(v) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : v;
  return QString::number(shown, 'f', decimals);
}
QString fixed(const std::optional<double>& v, int decimals) {
  return v && std::isfinite(*v) ? fixed(*v, decimals) : Page::tr("—");
}

QString conditions(const ToleranceOptions& o) {
  const bool same = std::ranges::all_of(o.tolerance, [&](double t) { return t == o.tolerance[0]; });
  const QString values = same ? Page::tr("各値の公差 ± %1 mm").arg(fixed(o.tolerance[0], 3))
                              : Page::tr("各値の公差は下の表のとおり");
  const QString distribution = o.distribution == ToleranceDistribution::Normal
                                   ? Page::tr("正規分布（σ = 公差/3）")
                                   : Page::tr("一様分布");
  return Page::tr("%1、ピンのすきま %2 mm、%3、乱数の種 %4")
      .arg(values, fixed(o.clearance, 3), distribution, QString::number(o.seed));
}

PlotSpec bandPlot(const ToleranceResult& r) {
  PlotSpec spec{Page::tr("公称位置からのずれ（実線は95%、破線は最大）"), Page::tr("mm"), {},
                r.crankAngles, {}};
  const struct {
    const char* name;
    const std::vector<BandPoint> ToleranceBand::*points;
    QColor colour;
  } bands[] = {
      {QT_TRANSLATE_NOOP("ToleranceSheet", "4節リンク出力点"), &ToleranceBand::fourBarOutput, {0, 0, 220}},
      {QT_TRANSLATE_NOOP("ToleranceSheet", "6節リンク出力点"), &ToleranceBand::sixBarOutput, {0, 150, 0}},
      {QT_TRANSLATE_NOOP("ToleranceSheet", "スライダ"), &ToleranceBand::slider, {210, 0, 0}}};
  for (const auto& b : bands) {
    std::vector<std::optional<double>> p95, max;
    for (const BandPoint& point : r.band.*b.points) {
      p95.push_back(point.p95);
      max.push_back(point.max);
    }
    spec.curves.push_back({Page::tr(b.name), std::move(p95), b.colour, false, false});
    // The legend names each point once, by its solid line.
    spec.curves.push_back({{}, std::move(max), b.colour, true, false});
  }
  return spec;
}

TableRows spreadRows(const ToleranceResult& r) {
  const auto row = [](const QString& name, const FigureSpread& s) {
    return QStringList{name, fixed(s.nominal, 3), fixed(s.p5, 3), fixed(s.p50, 3), fixed(s.p95, 3),
                       QString::number(s.samples)};
  };
  return {row(Page::tr("スライダの行程 (mm)"), r.sliderStroke),
          row(Page::tr("てこの揺動角 (°)"), r.rockingAngle),
          row(Page::tr("最小伝達角 (°)"), r.minTransmissionAngle)};
}

TableRows sensitivityRows(const ToleranceResult& r, const ToleranceOptions& o) {
  TableRows rows;
  int rank = 0;
  for (const Sensitivity& s : r.sensitivity)
    rows.push_back({QString::number(++rank), parameterName(s.parameter),
                    fixed(o.tolerance[static_cast<std::size_t>(s.parameter)], 3),
                    fixed(s.fourBarOutput, 3), fixed(s.sixBarOutput, 3), fixed(s.slider, 3)});
  return rows;
}

}  // namespace

void drawTolerancePage(QPainter& p, const ToleranceResult& r, const ToleranceOptions& o) {
  const double mm = unitsPerMm(p);
  drawTitle(p, Page::tr("公差解析"), Page::tr("サンプル %1").arg(r.samples));
  double y = drawTable(p, kMargin, kPageTop, {kTextWidth}, {}, {{conditions(o)}});
  if (r.problem != ToleranceProblem::None) {
    drawTable(p, kMargin, y + 2, {kTextWidth}, {},
              {{r.problem == ToleranceProblem::NotAssemblable
                    ? Page::tr("この設計はどのクランク角でも組み立てられないので、公差解析はできません。")
                    : Page::tr("公差解析はできませんでした。")}});
    return;
  }
  drawPlot(p, QRectF(kMargin * mm, (y + 2) * mm, kTextWidth * mm, 78 * mm), bandPlot(r));
  y = drawHeading(p, y + 84, Page::tr("値のばらつき"));
  y = drawTable(p, kMargin, y, {60, 24, 24, 24, 24, 24},
                {Page::tr("項目"), Page::tr("公称"), Page::tr("5%"), Page::tr("50%"), Page::tr("95%"),
                 Page::tr("サンプル数")},
                spreadRows(r));
  y = drawTable(p, kMargin, y + 2, {kTextWidth}, {},
                {{Page::tr("クランクが一回転しなくなるサンプル：%1 %").arg(fixed(r.notFullyTurning * 100, 1))},
                 {Page::tr("6節リンクの中間節がスライドに届かないクランク角があるサンプル：%1 %")
                      .arg(fixed(r.sixBarOpen * 100, 1))}});
  y = drawHeading(p, y + 3, Page::tr("感度 (mm/mm)：値が 1 mm 変わったときの、1 回転中で最大の動き"));
  drawTable(p, kMargin, y, {14, 62, 22, 27, 27, 28},
            {Page::tr("順位"), Page::tr("値"), Page::tr("公差 ±"), Page::tr("4節リンク出力点"),
             Page::tr("6節リンク出力点"), Page::tr("スライダ")},
            sensitivityRows(r, o));
}

}  // namespace gyrenda
