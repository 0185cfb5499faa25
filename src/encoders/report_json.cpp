#include "encoders/report_json.h"

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
          {"accuracy", orNull(s.accuracy, accuracyJson)},
          {"axisPath", orNull(s.axisPath, pathJson)},
          {"outputPath", orNull(s.outputPath, pathJson)}};
}

}  // namespace

std::string reportJson(const RunReport& r) {
  QJsonObject root{
      {"linkageClass", linkageClassName(r.linkage.linkageClass)},
      {"crankTurnsFully", r.linkage.crankTurnsFully},
      {"transmissionAngle", orNull(r.transmissionAngle, [](const Extremes& e) {
         return QJsonObject{{"min", e.min},
                            {"minAtCrankAngle", e.minAtCrankAngle},
                            {"max", e.max},
                            {"maxAtCrankAngle", e.maxAtCrankAngle}};
       })},
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
