#include "cli/synthesis_cli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <charconv>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "cli/option_values.h"
#include "files/file_head.h"
#include "linkage/number_text.h"
#include "session/workbench.h"
#include "synthesis/path_objective.h"

namespace gyrenda {
namespace {

constexpr const char* kProgram = "gyrenda-cli";
constexpr std::size_t kTargetFileLimit = 1 << 20;  // far more than 12 points need

QJsonArray numbersJson(const std::vector<double>& values) {
  QJsonArray a;
  for (const double v : values) a.append(v);
  return a;
}

QJsonObject candidateJson(const SynthesisCandidate& c, bool freeFrame) {
  QJsonObject o{{"parameters", fourBarJson(c.parameters)},
                {"maxDistance", c.maxDistance},
                {"rmsDistance", c.rmsDistance},
                {"distances", numbersJson(c.distances)},
                {"crankAngles", numbersJson(c.crankAngles)},
                {"class", linkageClassName(c.linkageClass)},
                {"minTransmissionAngle", c.minTransmissionAngle}};
  if (c.direction != 0) o.insert("direction", c.direction > 0 ? "forward" : "reverse");
  if (freeFrame) {
    o.insert("pivot", pointJson(c.pivot));
    o.insert("frameAngle", c.frameAngle);
    o.insert("mirrored", c.mirrored);
    QJsonObject move{{"rotation", -c.frameAngle},
                     {"shift", pointJson(intoProgramFrame({}, c.pivot, c.frameAngle))}};
    if (c.mirrored) move.insert("thenMirrorY", true);
    o.insert("toProgramFrame", move);
    QJsonArray targets;
    for (const Vec2 t : c.targetsInProgramFrame) targets.append(pointJson(t));
    o.insert("targetsInProgramFrame", targets);
  }
  return o;
}

// The answer as one JSON object: the search's settings, whether it was stopped, and the
// candidates best first (see the manual page's SYNTHESIS).
std::string synthesisJson(const SynthesisResult& result, const SynthesisOptions& options) {
  QJsonArray candidates;
  for (const SynthesisCandidate& c : result.candidates)
    candidates.append(candidateJson(c, options.freeFrame));
  const QJsonObject o{
      {"targets", static_cast<int>(options.targets.size())},
      {"ordered", options.keepOrder},
      {"freeFrame", options.freeFrame},
      {"minTransmissionAngle", options.minTransmissionAngle},
      {"rankedBy", options.ranking == SynthesisRanking::Largest ? "maxDistance" : "rmsDistance"},
      {"seed", QString::number(options.seed)},
      {"stopped", result.problem == SynthesisProblem::Stopped},
      {"candidates", candidates}};
  return QJsonDocument(o).toJson(QJsonDocument::Indented).toStdString();
}

// A regular file, or standard input for "-", whole; opening never waits. Input beyond the limit
// is refused rather than cut, so that no target is dropped or misread without a word.
std::optional<std::string> readTargetsText(const std::string& path, int standardInput,
                                           std::string& reason) {
  FileHead head = path == "-" ? readOpenFileHead(standardInput, kTargetFileLimit)
                              : readFileHead(path, kTargetFileLimit);
  if (head.error) reason = fileHeadFailureInWords(head.error);
  else if (head.larger) reason = "larger than the 1 MiB a list of targets may be";
  return reason.empty() ? std::optional(std::move(head.bytes)) : std::nullopt;
}

// The targets a refusal concerns by their number in the list (from 1), as " 2 and 5".
std::string targetNumbers(const std::vector<std::size_t>& targets) {
  std::string named;
  for (std::size_t k = 0; k < targets.size(); ++k)
    named += (k == 0 ? " " : k + 1 == targets.size() ? " and " : ", ") +
             std::to_string(targets[k] + 1);
  return named;
}

std::string problemInWords(SynthesisProblem p, const SynthesisOptions& o,
                           const std::vector<std::size_t>& targets) {
  const std::string named = targetNumbers(targets);
  switch (p) {
    case SynthesisProblem::TooFewTargets:
      return "--synthesize: " + std::to_string(o.targets.size()) +
             " targets; at least 3 are needed";
    case SynthesisProblem::TooManyTargets:
      return "--synthesize: " + std::to_string(o.targets.size()) + " targets; 12 at most";
    case SynthesisProblem::TargetNotFinite:
      return "--synthesize: a target lies beyond -30000 ... 30000";
    case SynthesisProblem::BadBounds:
      return "--bound: a range is empty, or a length's range is not above 0";
    case SynthesisProblem::BadAngle:
      return "--min-transmission takes degrees from 0 to below 90";
    case SynthesisProblem::DuplicateTargets:
      return "--synthesize: targets" + named + " are the same point";
    case SynthesisProblem::OutOfReach:
      return "--synthesize: target" + named +
             " lies further than any linkage within the bounds reaches";
    case SynthesisProblem::NoLinkage:
      return "--synthesize: no linkage within the bounds meets the constraints";
    case SynthesisProblem::BoundsHoldNone:
      return "--bound: the bounds hold no crank-rocker whose crank turns fully and is no longer "
             "than its lever, whatever the transmission angle";
    case SynthesisProblem::TransmissionAngle:
      return "--min-transmission: crank-rockers within the bounds exist, but none keeps the "
             "transmission angle within " + formatBoxNumber(static_cast<float>(o.minTransmissionAngle)) +
             " ... " + formatBoxNumber(static_cast<float>(180 - o.minTransmissionAngle)) + " degrees";
    case SynthesisProblem::OrderNotMet:
      return "--ordered: the search found linkages that meet the constraints, but none whose "
             "path meets the targets in their order, in either direction";
    case SynthesisProblem::BadBudget:
      return "--candidates, --starts and --evaluations take counts above 0";
    case SynthesisProblem::None:
    case SynthesisProblem::Stopped: break;
  }
  return {};
}

}  // namespace

QJsonObject pointJson(Vec2 p) { return {{"x", p.x}, {"y", p.y}}; }

QJsonObject fourBarJson(const ParameterSet& p) {
  QJsonObject parameters;
  for (const ParamName k : {crankRadius, leverRadius, couplerLength, fixedLinkLength,
                            outputOffsetX, outputOffsetY})
    // The box's text as a number, so that the value reads back as the same float; read in
    // the C locale's form, as it is written, whatever the locale.
    parameters.insert(QString::fromLatin1(paramInfo()[k].name.data(),
                                          static_cast<qsizetype>(paramInfo()[k].name.size())),
                      realNumber(formatBoxNumber(p[k]), -kParamLimit, kParamLimit).value_or(0));
  return parameters;
}

TimeLimit::TimeLimit(double seconds, WorkProgress& progress) {
  if (seconds > 0)
    thread_ = std::jthread([this, seconds, &progress](std::stop_token ending) {
      std::unique_lock lock(mutex_);
      if (!wake_.wait_for(lock, ending, std::chrono::duration<double>(seconds),
                          [] { return false; }))
        progress.stop = true;
    });
}

std::optional<std::string> runSynthesis(const SynthesisRequest& request, Workbench& bench,
                                        int standardInput, std::ostream& err, int& status) {
  const std::string& path = *request.targetsPath;
  const std::string shownPath = path == "-" ? "standard input" : path;
  std::string reason;
  const std::optional<std::string> text = readTargetsText(path, standardInput, reason);
  if (!text) {
    err << kProgram << ": " << shownPath << ": " << reason << '\n';
    status = 1;
    return std::nullopt;
  }
  const TargetList list = readTargetList(*text);
  if (list.badLine) {
    err << kProgram << ": " << shownPath << ": line " << list.badLine
        << " is not a point (x and y, two finite numbers)\n";
    status = 2;
    return std::nullopt;
  }
  SynthesisOptions options = request.options;
  options.targets = list.points;
  // With a time limit and no count of starts, the time is the budget: rounds of starts run
  // until one passes through the targets or the time is up.
  if (request.timeLimit > 0 && options.starts == 0) options.starts = kMostStarts;
  WorkProgress progress;
  SynthesisResult result;
  {
    TimeLimit limit(request.timeLimit, progress);
    result = synthesizePath(options, bench.linkage().parameters, progress);
  }
  if (result.problem != SynthesisProblem::None && result.problem != SynthesisProblem::Stopped) {
    err << kProgram << ": " << problemInWords(result.problem, options, result.problemTargets) << '\n';
    status = 2;
    return std::nullopt;
  }
  if (result.candidates.empty()) {
    err << kProgram << ": --synthesize: no linkage found within the time limit\n";
    status = 1;
    return std::nullopt;
  }
  if (result.problem == SynthesisProblem::Stopped)
    err << kProgram << ": note: the search was stopped at the time limit\n";
  // Into the boxes as a loaded design goes: all at once, then a pass for each (one box at a
  // time, a crank typed before its longer lever would be cut to the old lever).
  if (request.applyBest) bench.applyDesign(result.candidates.front().parameters);
  return synthesisJson(result, options);
}

}  // namespace gyrenda
