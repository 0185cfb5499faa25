#include "cli/gait_cli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "linkage/number_text.h"
#include "session/workbench.h"

namespace gyrenda {
namespace {

constexpr const char* kProgram = "gyrenda-cli";

std::string mm(double v) { return formatBoxNumber(static_cast<float>(v)); }

std::string problemInWords(const GaitResult& r, const GaitOptions& o) {
  switch (r.problem) {
    case GaitProblem::BadStride: return "--stride takes a length above 0 and up to 30000";
    case GaitProblem::StrideBeyondBounds:
      return "--stride: " + mm(o.stride) + " mm is longer than the foot path of any linkage "
             "within the bounds (at most " + mm(r.limit) + " mm: twice the crank and the "
             "output offset's reach)";
    case GaitProblem::StrideBeyondView:
      return "--stride: " + mm(o.stride) + " mm is longer than any leg that fits one view of "
             "the canvas (at most " + mm(r.limit) + " mm along the ground)";
    case GaitProblem::StrideBeyondSize:
      return "--stride: " + mm(o.stride) + " mm is longer than any leg within --max-size " +
             mm(o.search.maxSize) + " mm (at most " + mm(r.limit) + " mm along the ground)";
    case GaitProblem::BadLift: return "--lift: a leg lifts its foot; the lift takes a length above 0";
    case GaitProblem::LiftWithinFlatness:
      return "--lift: " + mm(o.lift) + " mm is no higher than the flatness " + mm(o.epsilon()) +
             " mm; the foot would be on the ground all the turn";
    case GaitProblem::BadStanceShare:
      return "--stance takes the share of the crank's turn the foot is on the ground, above 0 "
             "and below 1";
    case GaitProblem::BadFlatness: return "--flatness takes a length of 0 or more";
    case GaitProblem::BadGroundAngle: return "--ground-angle takes degrees";
    case GaitProblem::BadBounds: return "--bound: a range is empty, or a length's range is not above 0";
    case GaitProblem::BadAngle: return "--min-transmission takes degrees from 0 to below 90";
    case GaitProblem::BadBudget: return "--candidates, --starts and --evaluations take counts above 0";
    case GaitProblem::NoLeg:
      return "--gait: no crank-rocker within the bounds keeps the transmission angle and the "
             "view and size limits";
    case GaitProblem::None:
    case GaitProblem::Stopped: break;
  }
  return {};
}

QJsonObject candidateJson(const GaitCandidate& c, bool freeFrame) {
  const GaitFigures& f = c.figures;
  QJsonObject o{{"parameters", fourBarJson(c.parameters)},
                {"stanceShare", f.stanceShare},
                {"stride", f.stride},
                {"lift", f.lift},
                {"flatness", f.flatness},
                {"stanceSpeedRatio", f.stanceSpeedRatio},
                {"minTransmissionAngle", c.minTransmissionAngle},
                {"stanceBegin", f.stanceBegin},
                {"stanceEnd", f.stanceEnd},
                {"direction", f.direction > 0 ? "forward" : "reverse"},
                {"meetsStance", c.meetsStance},
                {"meetsAll", c.meetsAll}};
  if (freeFrame) {
    o.insert("pivot", pointJson(c.pivot));
    o.insert("frameAngle", c.frameAngle);
  }
  return o;
}

std::string gaitJson(const GaitResult& r, const GaitOptions& o) {
  QJsonArray candidates;
  for (const GaitCandidate& c : r.candidates) candidates.append(candidateJson(c, o.search.freeFrame));
  const QJsonObject json{{"stride", o.stride},
                         {"lift", o.lift},
                         {"stanceShare", o.stanceShare},
                         {"flatness", o.epsilon()},
                         {"groundAngle", o.groundAngle},
                         {"freeFrame", o.search.freeFrame},
                         {"minTransmissionAngle", o.search.minTransmissionAngle},
                         {"seed", QString::number(o.search.seed)},
                         {"stopped", r.problem == GaitProblem::Stopped},
                         {"candidates", candidates}};
  return QJsonDocument(json).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace

std::optional<std::string> runGait(const GaitRequest& request, const SynthesisRequest& search,
                                   Workbench& bench, std::ostream& err, int& status) {
  status = 2;
  if (!request.stride || !request.lift) {
    err << kProgram << ": --gait needs --stride and --lift\n";
    return std::nullopt;
  }
  GaitOptions o;
  o.search = search.options;
  o.search.minTransmissionAngle = request.minTransmissionAngle;
  o.stride = *request.stride, o.lift = *request.lift, o.stanceShare = request.stanceShare;
  o.flatness = request.flatness, o.groundAngle = request.groundAngle;
  // With a time limit and no count of starts, the time is the budget.
  if (search.timeLimit > 0 && o.search.starts == 0) o.search.starts = kMostStarts;
  WorkProgress progress;
  GaitResult result;
  {
    TimeLimit limit(search.timeLimit, progress);
    result = synthesizeGait(o, bench.linkage().parameters, progress);
  }
  if (result.problem != GaitProblem::None && result.problem != GaitProblem::Stopped) {
    err << kProgram << ": " << problemInWords(result, o) << '\n';
    return std::nullopt;
  }
  status = 1;
  if (result.candidates.empty()) {
    err << kProgram << ": --gait: no leg found within the time limit\n";
    return std::nullopt;
  }
  status = 0;
  if (result.problem == GaitProblem::Stopped)
    err << kProgram << ": note: the search was stopped at the time limit\n";
  if (search.applyBest) bench.applyDesign(result.candidates.front().parameters);
  return gaitJson(result, o);
}

}  // namespace gyrenda
