#include "encoders/report_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace gyrenda {
namespace {

template <typename T, typename Write>
QJsonValue orNull(const std::optional<T>& v, Write write) {
  return v ? QJsonValue(write(*v)) : QJsonValue(QJsonValue::Null);
}

QJsonObject pathJson(const PathExtent& p) {
  return {{"minX", p.minX},        {"maxX", p.maxX},         {"minY", p.minY},
          {"maxY", p.maxY},        {"width", p.width()},     {"height", p.height()}};
}

QJsonObject accuracyJson(const Accuracy& a) {
  return {{"median", a.median},
          {"p99", a.p99},
          {"max", a.max},
          {"maxAtCrankAngle", a.maxAtCrankAngle},
          {"posesWithoutExactPose", a.withoutExactPose}};
}

QJsonObject searchJson(const SearchReport& s) {
  return {{"posesFound", s.posesFound},
          {"anglesExamined", s.anglesExamined},
          {"stopped", s.stopped},
          {"posesOutOfView", s.posesOutOfView},
          {"accuracy", orNull(s.accuracy, accuracyJson)},
          {"axisPath", orNull(s.axisPath, pathJson)},
          {"outputPath", orNull(s.outputPath, pathJson)}};
}

QJsonObject extremesJson(const Extremes& e) {
  return {{"min", e.min},
          {"minAtCrankAngle", e.minAtCrankAngle},
          {"max", e.max},
          {"maxAtCrankAngle", e.maxAtCrankAngle}};
}

QJsonObject atCrankAngleJson(const AtCrankAngle& v) {
  return {{"value", v.value}, {"atCrankAngle", v.crankAngle}};
}

QJsonObject exactTransmissionAngle(const DesignFigures& f) {
  return extremesJson({f.minTransmissionAngle->value, f.minTransmissionAngle->crankAngle,
                       f.maxTransmissionAngle->value, f.maxTransmissionAngle->crankAngle});
}

QJsonObject kinematicsJson(const KinematicsAnalysis& k) {
  const DesignFigures& f = k.figures;
  QJsonArray deadCentres;
  for (double angle : f.deadCentres) deadCentres.append(angle);
  QJsonObject o{
      {"rpm", k.curves.rpm},
      {"samples", static_cast<int>(k.curves.samples.size())},
      {"fourBarClosedSamples", k.fourBarSamples},
      {"sixBarClosedSamples", k.sixBarSamples},
      {"deadCentreCrankAngles", deadCentres},
      {"lever", orNull(f.lever, [](const Stroke& s) {
         return QJsonObject{{"lowAngle", s.low.position},   {"lowAtCrankAngle", s.low.crankAngle},
                            {"highAngle", s.high.position}, {"highAtCrankAngle", s.high.crankAngle},
                            {"rockingAngle", s.travel},     {"timeRatio", s.timeRatio}};
       })},
      {"slider", orNull(f.slider, [](const Stroke& s) {
         return QJsonObject{{"start", s.low.position}, {"startAtCrankAngle", s.low.crankAngle},
                            {"end", s.high.position},  {"endAtCrankAngle", s.high.crankAngle},
                            {"stroke", s.travel},      {"timeRatio", s.timeRatio}};
       })},
  };
  const std::pair<const char*, const std::optional<AtCrankAngle>*> peaks[] = {
      {"peakOutputSpeed", &f.peakOutputSpeed},
      {"peakOutputAcceleration", &f.peakOutputAcceleration},
      {"peakSliderSpeed", &f.peakSliderSpeed},
      {"peakSliderAcceleration", &f.peakSliderAcceleration},
      {"peakInputTorquePerNewton", &f.peakTorquePerNewton}};
  for (const auto& [key, peak] : peaks) o.insert(key, orNull(*peak, atCrankAngleJson));
  return o;
}

}  // namespace

std::string reportJson(const RunReport& r, const KinematicsAnalysis& exact) {
  QJsonObject root{
      {"linkageClass", linkageClassName(r.linkage.linkageClass)},
      {"crankTurnsFully", r.linkage.crankTurnsFully},
      {"transmissionAngle", exact.figures.minTransmissionAngle
                                ? QJsonValue(exactTransmissionAngle(exact.figures))
                                : QJsonValue(QJsonValue::Null)},
      {"rasterTransmissionAngle", orNull(r.transmissionAngle, extremesJson)},
      {"kinematics", kinematicsJson(exact)},
      {"fourBar", searchJson(r.fourBar)}};
  if (r.sixBar) {
    QJsonObject six = searchJson(*r.sixBar);
    six.insert("sliderStroke", orNull(r.sixBar->sliderStroke, [](const SliderStroke& s) {
                 return QJsonObject{{"start", s.start}, {"end", s.end}, {"length", s.length}};
               }));
    root.insert("sixBar", six);
  }
  return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace gyrenda
