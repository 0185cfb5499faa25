#include "encoders/report_rows.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <cmath>

#include "linkage/number_text.h"

namespace gyrenda {
namespace {

// The context the rows' words are translated in.
struct Rows {
  Q_DECLARE_TR_FUNCTIONS(ReportRows)
};

// Hundredths are as fine as the raster's answers deserve.
QString number(double v) {
  return QString::fromStdString(
      formatBoxNumber(static_cast<float>(std::round(v * 100.0) / 100.0 + 0.0)));
}

// The patterns below are whole sentences with the numbers as arguments, so that a translator
// can move them; each is filled in one pass.

// `pattern` takes the value as %1 and the crank angle where it occurs as %2.
QString atCrank(const QString& pattern, double value, double crankAngle) {
  return pattern.arg(number(value), number(crankAngle));
}

// `pattern` takes the two ends as %1 and %2 and the distance between them as %3.
QString range(const QString& pattern, double from, double to, double size) {
  return pattern.arg(number(from), number(to), number(size));
}

QString className(LinkageClass c) {
  switch (c) {
    case LinkageClass::CrankRocker:
      return Rows::tr("てこクランク（クランクが回転、てこが揺動）");
    case LinkageClass::DoubleCrank:
      return Rows::tr("両クランク（クランクもてこも回転）");
    case LinkageClass::DoubleRocker:
      return Rows::tr("両てこ（中間節だけが回転）");
    case LinkageClass::RockerCrank:
      return Rows::tr("てこクランク（てこが回転、クランクは揺動）");
    case LinkageClass::TripleRocker:
      return Rows::tr("三てこ（どの節も一回りしない）");
    case LinkageClass::ChangePoint:
      return Rows::tr("切替点（四節が一直線に並ぶ姿勢がある）");
    case LinkageClass::CannotBeAssembled:
      return Rows::tr("組み立てられない（最長の節がほかの三つの和より長い）");
  }
  return {};
}

QString noPose() { return Rows::tr("姿勢なし"); }

// The paths whose extents the report gives, by the name of the point that draws them.
struct TracedPath {
  const char* name;
  std::optional<PathExtent> SearchReport::*extent;
};
constexpr TracedPath kTracedPaths[] = {
    {QT_TRANSLATE_NOOP("ReportRows", "軸点"), &SearchReport::axisPath},
    {QT_TRANSLATE_NOOP("ReportRows", "出力点"), &SearchReport::outputPath},
};

void addSearchRows(ReportRows& rows, const QString& name, const SearchReport& s) {
  const QString found = QString::number(s.posesFound), examined = QString::number(s.anglesExamined);
  rows.append({Rows::tr("%1：見つかった姿勢").arg(name),
               s.stopped ? Rows::tr("%1（調べたクランク角 %2）　停止で中断").arg(found, examined)
                         : Rows::tr("%1（調べたクランク角 %2）").arg(found, examined)});
  if (s.posesOutOfView > 0)
    rows.append({Rows::tr("%1：画面の外で見つからなかった姿勢").arg(name),
                 Rows::tr("%1（表示 › 全体表示で機構全体が画面に入ります）")
                     .arg(QString::number(s.posesOutOfView))});
  if (const auto& a = s.accuracy) {
    rows.append({Rows::tr("%1：精度 中央値").arg(name), number(a->median)});
    rows.append({Rows::tr("%1：精度 99%").arg(name), number(a->p99)});
    rows.append({Rows::tr("%1：精度 最大").arg(name),
                 atCrank(Rows::tr("%1（クランク角 %2°）"), a->max, a->maxAtCrankAngle)});
    rows.append({Rows::tr("%1：厳密解のない姿勢").arg(name),
                 QString::number(a->withoutExactPose)});
  } else {
    // Without a measured pose, either nothing was found or no found pose has an exact one.
    rows.append({Rows::tr("%1：精度").arg(name),
                 s.posesFound == 0
                     ? noPose()
                     : Rows::tr("見つかった %1 の姿勢のどれにも厳密な姿勢がありません").arg(found)});
  }
  for (const TracedPath& path : kTracedPaths) {
    const QString point = Rows::tr(path.name);
    const auto& extent = s.*path.extent;
    if (!extent) {
      rows.append({Rows::tr("%1：%2の範囲 X, Y").arg(name, point), noPose()});
      continue;
    }
    rows.append({Rows::tr("%1：%2の範囲 X").arg(name, point),
                 range(Rows::tr("%1 ～ %2（幅 %3）"),
                       extent->minX, extent->maxX, extent->width())});
    rows.append({Rows::tr("%1：%2の範囲 Y").arg(name, point),
                 range(Rows::tr("%1 ～ %2（高さ %3）"),
                       extent->minY, extent->maxY, extent->height())});
  }
}

// The figures of the exact kinematics: dead centres, the lever's rocking, the slider's exact
// stroke and the peaks at the analysis' crank speed, each with its unit in the value.
void addKinematicRows(ReportRows& rows, const KinematicsAnalysis& exact) {
  const DesignFigures& f = exact.figures;
  QStringList deadCentres;
  for (double angle : f.deadCentres) deadCentres.append(Rows::tr("%1°").arg(number(angle)));
  rows.append({Rows::tr("死点のクランク角"),
               deadCentres.isEmpty() ? Rows::tr("なし") : deadCentres.join(Rows::tr("、"))});
  const auto stroke = [&](const std::optional<Stroke>& s, const QString& travel,
                          const QString& travelValue, const QString& ratio) {
    if (!s) return rows.append({travel, Rows::tr("一回りを通して閉じないので求めません")});
    rows.append({travel, travelValue.arg(number(s->travel))});
    rows.append({ratio, number(s->timeRatio)});
  };
  stroke(f.lever, Rows::tr("てこの揺動角"), Rows::tr("%1°"), Rows::tr("てこの早戻り比"));
  stroke(f.slider, Rows::tr("スライダの行程（厳密）"), Rows::tr("%1"), Rows::tr("スライダの早戻り比"));
  const QString rpm = number(exact.curves.rpm);
  const struct {
    const char* caption;  // takes the crank speed as %1, where it depends on it
    const char* value;    // takes the value as %1 and the crank angle as %2
    const std::optional<AtCrankAngle>& peak;
  } peaks[] = {
      {QT_TRANSLATE_NOOP("ReportRows", "出力点の最大の速さ（%1 rpm）"),
       QT_TRANSLATE_NOOP("ReportRows", "%1 mm/s（クランク角 %2°）"), f.peakOutputSpeed},
      {QT_TRANSLATE_NOOP("ReportRows", "出力点の最大の加速度（%1 rpm）"),
       QT_TRANSLATE_NOOP("ReportRows", "%1 mm/s²（クランク角 %2°）"), f.peakOutputAcceleration},
      {QT_TRANSLATE_NOOP("ReportRows", "スライダの最大の速さ（%1 rpm）"),
       QT_TRANSLATE_NOOP("ReportRows", "%1 mm/s（クランク角 %2°）"), f.peakSliderSpeed},
      {QT_TRANSLATE_NOOP("ReportRows", "スライダの最大の加速度（%1 rpm）"),
       QT_TRANSLATE_NOOP("ReportRows", "%1 mm/s²（クランク角 %2°）"), f.peakSliderAcceleration},
      {QT_TRANSLATE_NOOP("ReportRows", "入力トルクの最大（スライダの力 1 N あたり）"),
       QT_TRANSLATE_NOOP("ReportRows", "%1 N·mm（クランク角 %2°）"), f.peakTorquePerNewton}};
  for (const auto& p : peaks) {
    if (!p.peak) continue;
    const QString caption = Rows::tr(p.caption);
    rows.append({caption.contains(QLatin1String("%1")) ? caption.arg(rpm) : caption,
                 atCrank(Rows::tr(p.value), p.peak->value, p.peak->crankAngle)});
  }
}

void addTransmissionRows(ReportRows& rows, const QString& name, const std::optional<Extremes>& mu) {
  if (!mu) {
    rows.append({name, noPose()});
    return;
  }
  const QString degreesAtCrank = Rows::tr("%1°（クランク角 %2°）");
  rows.append({Rows::tr("%1 最小").arg(name),
               atCrank(degreesAtCrank, mu->min, mu->minAtCrankAngle)});
  rows.append({Rows::tr("%1 最大").arg(name),
               atCrank(degreesAtCrank, mu->max, mu->maxAtCrankAngle)});
}

}  // namespace

ReportRows designRows(const RunReport& r, const KinematicsAnalysis& exact) {
  ReportRows rows;
  rows.append({Rows::tr("リンクの種類"), className(r.linkage.linkageClass)});
  rows.append({Rows::tr("クランクの全回転"),
               r.linkage.crankTurnsFully ? Rows::tr("できる") : Rows::tr("できない")});
  const DesignFigures& f = exact.figures;
  addTransmissionRows(rows, Rows::tr("伝達角"),
                      f.minTransmissionAngle
                          ? std::optional<Extremes>(Extremes{f.minTransmissionAngle->value,
                                                             f.minTransmissionAngle->crankAngle,
                                                             f.maxTransmissionAngle->value,
                                                             f.maxTransmissionAngle->crankAngle})
                          : std::nullopt);
  addTransmissionRows(rows, Rows::tr("伝達角（ラスタ）"), r.transmissionAngle);
  addKinematicRows(rows, exact);
  return rows;
}

ReportRows reportRows(const RunReport& r, const KinematicsAnalysis& exact) {
  ReportRows rows = designRows(r, exact);
  addSearchRows(rows, Rows::tr("4節リンク"), r.fourBar);
  const QString sixBar = Rows::tr("6節リンク");
  if (!r.sixBar) {
    rows.append({sixBar, Rows::tr("解析していません")});
    return rows;
  }
  addSearchRows(rows, sixBar, *r.sixBar);
  const auto& stroke = r.sixBar->sliderStroke;
  rows.append({Rows::tr("%1：スライダの行程（始点から）").arg(sixBar),
               stroke ? range(Rows::tr("%1 ～ %2（長さ %3）"),
                              stroke->start, stroke->end, stroke->length)
                      : noPose()});
  return rows;
}

}  // namespace gyrenda
