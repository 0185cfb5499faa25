#include "encoders/synthesis_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "linkage/number_text.h"
#include "synthesis/path_objective.h"

namespace gyrenda {
namespace {

QJsonObject pointJson(Vec2 p) { return {{"x", p.x}, {"y", p.y}}; }

QJsonArray numbersJson(const std::vector<double>& values) {
  QJsonArray a;
  for (const double v : values) a.append(v);
  return a;
}

QJsonObject candidateJson(const SynthesisCandidate& c, bool freeFrame) {
  QJsonObject parameters;
  for (const ParamName k : {crankRadius, leverRadius, couplerLength, fixedLinkLength,
                            outputOffsetX, outputOffsetY})
    // The box's text as a number, so that the value reads back as the same float.
    parameters.insert(QString::fromLatin1(paramInfo()[k].name.data(),
                                          static_cast<qsizetype>(paramInfo()[k].name.size())),
                      std::stod(formatBoxNumber(c.parameters[k])));
  QJsonObject o{{"parameters", parameters},
                {"maxDistance", c.maxDistance},
                {"rmsDistance", c.rmsDistance},
                {"distances", numbersJson(c.distances)},
                {"crankAngles", numbersJson(c.crankAngles)},
                {"class", linkageClassName(c.linkageClass)},
                {"minTransmissionAngle", c.minTransmissionAngle}};
  if (freeFrame) {
    o.insert("pivot", pointJson(c.pivot));
    o.insert("frameAngle", c.frameAngle);
    o.insert("toProgramFrame",
             QJsonObject{{"rotation", -c.frameAngle},
                         {"shift", pointJson(intoProgramFrame({}, c.pivot, c.frameAngle))}});
    QJsonArray targets;
    for (const Vec2 t : c.targetsInProgramFrame) targets.append(pointJson(t));
    o.insert("targetsInProgramFrame", targets);
  }
  return o;
}

}  // namespace

std::string synthesisJson(const SynthesisResult& result, const SynthesisOptions& options) {
  QJsonArray candidates;
  for (const SynthesisCandidate& c : result.candidates)
    candidates.append(candidateJson(c, options.freeFrame));
  const QJsonObject o{
      {"targets", static_cast<int>(options.targets.size())},
      {"ordered", options.keepOrder},
      {"freeFrame", options.freeFrame},
      {"minTransmissionAngle", options.minTransmissionAngle},
      {"seed", QString::number(options.seed)},
      {"stopped", result.problem == SynthesisProblem::Stopped},
      {"candidates", candidates}};
  return QJsonDocument(o).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace gyrenda
