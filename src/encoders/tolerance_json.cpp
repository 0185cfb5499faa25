#include "encoders/tolerance_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace gyrenda {
namespace {

QJsonValue orNull(const std::optional<double>& v) {
  return v && std::isfinite(*v) ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

QJsonObject bandsJson(const ToleranceBand& band, std::optional<double> BandPoint::*which) {
  const auto column = [which](const std::vector<BandPoint>& points) {
    QJsonArray a;
    for (const BandPoint& p : points) a.append(orNull(p.*which));
    return a;
  };
  return {{"fourBarOutput", column(band.fourBarOutput)},
          {"sixBarOutput", column(band.sixBarOutput)},
          {"slider", column(band.slider)}};
}

QJsonObject spreadJson(const FigureSpread& s) {
  return {{"nominal", orNull(s.nominal)}, {"p5", orNull(s.p5)},   {"p50", orNull(s.p50)},
          {"p95", orNull(s.p95)},         {"samples", s.samples}};
}

}  // namespace

std::string toleranceJson(const ToleranceResult& r, const ToleranceOptions& o) {
  QJsonObject tolerances;
  for (int k = 0; k < kParamCount; ++k)
    tolerances.insert(QString::fromUtf8(paramInfo()[k].name.data(),
                                        static_cast<qsizetype>(paramInfo()[k].name.size())),
                      o.tolerance[k]);
  QJsonArray angles;
  for (double a : r.crankAngles) angles.append(a);
  QJsonArray ranked;
  for (const Sensitivity& s : r.sensitivity)
    ranked.append(QJsonObject{
        {"parameter", QString::fromUtf8(paramInfo()[s.parameter].name.data(),
                                        static_cast<qsizetype>(paramInfo()[s.parameter].name.size()))},
        {"fourBarOutput", s.fourBarOutput},
        {"sixBarOutput", s.sixBarOutput},
        {"slider", s.slider},
        {"largest", s.largest()}});
  const QJsonObject root{
      {"samples", r.samples},
      // A seed above 2^53 would lose digits as a JSON number.
      {"seed", QString::number(o.seed)},
      {"distribution", o.distribution == ToleranceDistribution::Normal ? "normal" : "uniform"},
      {"tolerances", tolerances},
      {"clearance", o.clearance},
      {"shareNotFullyTurning", r.notFullyTurning},
      {"shareNotAssemblable", r.notAssemblable},
      {"shareSixBarOpen", r.sixBarOpen},
      {"crankAngles", angles},
      {"band95", bandsJson(r.band, &BandPoint::p95)},
      {"bandMax", bandsJson(r.band, &BandPoint::max)},
      {"band95Largest",
       QJsonObject{{"fourBarOutput", orNull(ToleranceResult::largestP95(r.band.fourBarOutput))},
                   {"sixBarOutput", orNull(ToleranceResult::largestP95(r.band.sixBarOutput))},
                   {"slider", orNull(ToleranceResult::largestP95(r.band.slider))}}},
      {"sliderStroke", spreadJson(r.sliderStroke)},
      {"rockingAngle", spreadJson(r.rockingAngle)},
      {"minTransmissionAngle", spreadJson(r.minTransmissionAngle)},
      {"sensitivity", ranked},
  };
  return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace gyrenda
