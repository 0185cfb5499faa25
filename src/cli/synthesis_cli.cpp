#include "cli/synthesis_cli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <charconv>

#include "cli/option_values.h"
#include "files/file_head.h"
#include "linkage/number_text.h"
#include "session/workbench.h"
#include "synthesis/compact_fit.h"
#include "synthesis/path_objective.h"
#include "synthesis/target_dxf.h"

namespace gyrenda {
namespace {

constexpr const char* kProgram = "gyrenda-cli";
constexpr std::size_t kTargetFileLimit = 1 << 20;  // far more than 200 points need
constexpr std::size_t kDrawingLimit = 64 << 20;     // a DXF drawing traced in CAD

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
                {"minTransmissionAngle", c.minTransmissionAngle},
                {"size", c.size},
                {"fitsView", c.fitsView},
                {"view", QJsonObject{{"zoom", c.view.zoomLevel}, {"left", c.view.left},
                                     {"top", c.view.top}}}};
  // Unmeasured (the search stopped first): null, not a count of none.
  o.insert("rasterPoses", c.rasterSteps > 0 ? QJsonValue(c.rasterPoses) : QJsonValue());
  o.insert("rasterSteps", c.rasterSteps > 0 ? QJsonValue(c.rasterSteps) : QJsonValue());
  if (c.direction != 0) o.insert("direction", c.direction > 0 ? "forward" : "reverse");
  if (!c.crankAngleErrors.empty()) {
    o.insert("phase", c.phase);
    o.insert("crankAngleErrors", numbersJson(c.crankAngleErrors));
  }
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

// The ranges searched, by the parameters' names: as given or scaled to the targets.
QJsonObject boundsJson(const SynthesisOptions& o) {
  const LengthRange ranges[] = {o.crank, o.lever, o.coupler, o.fixedLink, o.outputAlong,
                                o.outputAcross};
  QJsonObject bounds;
  for (const ParamName k : {crankRadius, leverRadius, couplerLength, fixedLinkLength,
                            outputOffsetX, outputOffsetY})
    bounds.insert(QString::fromLatin1(paramInfo()[k].name.data(),
                                      static_cast<qsizetype>(paramInfo()[k].name.size())),
                  QJsonArray{ranges[k].low, ranges[k].high});
  return bounds;
}

// The answer as one JSON object: the search's settings, whether it was stopped, and the
// candidates best first (see the manual page's SYNTHESIS).
std::string synthesisJson(const SynthesisResult& result, const SynthesisOptions& options,
                          const QJsonObject& traced) {
  QJsonArray candidates;
  for (const SynthesisCandidate& c : result.candidates)
    candidates.append(candidateJson(c, options.freeFrame));
  QJsonObject o{
      {"targets", static_cast<int>(options.targets.size())},
      {"ordered", options.keepOrder},
      {"freeFrame", options.freeFrame},
      {"minTransmissionAngle", options.minTransmissionAngle},
      {"rankedBy", options.ranking == SynthesisRanking::Largest ? "maxDistance" : "rmsDistance"},
      {"seed", QString::number(options.seed)},
      {"stopped", result.problem == SynthesisProblem::Stopped},
      {"fitView", options.fitView},
      {"maxSize", options.maxSize > 0 ? QJsonValue(options.maxSize) : QJsonValue()},
      {"rasterFirst", options.rasterFirst},
      {"bounds", boundsJson(options)},
      {"candidates", candidates}};
  if (!options.timing.empty()) o.insert("timing", numbersJson(options.timing));
  if (!traced.isEmpty()) o.insert("traced", traced);
  return QJsonDocument(o).toJson(QJsonDocument::Indented).toStdString();
}

// A regular file, or standard input for "-", whole; opening never waits. Input beyond the limit
// is refused rather than cut, so that no target is dropped or misread without a word.
std::optional<std::string> readTargetsText(const std::string& path, int standardInput,
                                           std::string& reason) {
  FileHead head = path == "-" ? readOpenFileHead(standardInput, kDrawingLimit)
                              : readFileHead(path, kDrawingLimit);
  if (head.error) reason = fileHeadFailureInWords(head.error);
  else if (head.larger) reason = "larger than the 64 MiB a DXF drawing may be";
  else if (head.bytes.size() > kTargetFileLimit && !looksLikeDxf(head.bytes))
    reason = "larger than the 1 MiB a list of targets may be";
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
      return "--synthesize: " + std::to_string(o.targets.size()) + " targets; " +
             std::to_string(PathObjective::kMostTargets) +
             " at most (--sample N spaces N of them evenly along the curve)";
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
    case SynthesisProblem::ExtentLimit:
      return "--synthesize: the search found linkages that meet the constraints, but none " +
             std::string(o.maxSize > 0 ? "within --max-size" : "") +
             (o.maxSize > 0 && o.fitView ? " that also fits" : o.fitView ? "that fits" : "") +
             (o.fitView ? " one view of the canvas (--no-fit-view lifts this)" : "");
    case SynthesisProblem::BadBudget:
      return "--candidates, --starts and --evaluations take counts above 0";
    case SynthesisProblem::BadTiming:
      return "--synthesize: a crank angle is given for some targets only, or is not a number";
    case SynthesisProblem::None:
    case SynthesisProblem::Stopped: break;
  }
  return {};
}

bool isDxfName(std::string_view path) {
  return path.size() >= 4 && std::ranges::equal(path.substr(path.size() - 4), std::string_view(".dxf"),
                                                [](char a, char b) { return std::tolower(a) == b; });
}

// The targets of a file's `text` into `options`: a DXF drawing's traced curve (where the name
// says DXF or the text starts as one), or a list of points with their crank angles; spaced
// along the curve with --sample. What the JSON says of the traced curve into `traced`.
// Returns why there are none.
std::optional<std::string> targetsOf(const std::string& text, bool dxfName,
                                     const SynthesisRequest& request, SynthesisOptions& options,
                                     QJsonObject& traced) {
  TracedCurve curve;
  if (dxfName || looksLikeDxf(text)) {
    const DxfTrace trace = readDxfTrace(text, request.layer);
    if (trace.problem == DxfTraceProblem::NotDxf) return "not an ASCII DXF drawing dxflib can read";
    if (trace.problem == DxfTraceProblem::NoCurve)
      return (request.layer.empty() ? std::string("the drawing")
                                    : "layer '" + request.layer + "' of the drawing") +
             " holds no LWPOLYLINE, POLYLINE, LINE, POINT or SPLINE";
    curve = trace.curve;
    traced = {{"entity", QString::fromStdString(trace.entity)},
              {"layer", QString::fromStdString(trace.layer)},
              {"points", static_cast<int>(curve.points.size())},
              {"closed", curve.closed}};
  } else {
    if (!request.layer.empty()) return "--layer reads a DXF drawing, and this is a list of points";
    const TargetList list = readTargetList(text);
    if (list.badLine)
      return "line " + std::to_string(list.badLine) +
             " is not a point (x and y, two finite numbers, or three with a crank angle)";
    if (request.sample > 0 && !list.timing.empty())
      return "--sample spaces targets along the curve, which leaves the crank angles of the "
             "list's third column to no target";
    curve.points = list.points;
    options.timing = list.timing;
  }
  options.targets = request.sample > 0 ? sampleAlong(curve, request.sample) : curve.points;
  if (request.sample > 0) {
    QJsonArray sampled;
    for (const Vec2 t : options.targets) sampled.append(pointJson(t));
    traced.insert("sampled", sampled);
  }
  return std::nullopt;
}

// The search within `seconds` (0: no limit), the raster counts included: the search stops a
// share of the time early, and what it found is measured in what is left; a candidate that
// the time leaves no room for stays unmeasured.
SynthesisResult limitedSynthesis(const SynthesisOptions& options, const ParameterSet& base,
                                 double seconds) {
  const auto begun = std::chrono::steady_clock::now();
  WorkProgress progress;
  SynthesisResult result;
  {
    TimeLimit limit(seconds > 0 ? seconds - std::min(0.04 * seconds, 1.0) : 0, progress);
    result = synthesizePath(options, base, progress);
  }
  if (!progress.stop) return result;
  WorkProgress measuring;
  const double left =
      seconds - std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
  if (left <= 0) return result;
  {
    TimeLimit limit(left, measuring);
    measureRaster(result.candidates, measuring);
  }
  if (options.rasterFirst) rankRasterFirst(result.candidates, options);
  return result;
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
  SynthesisOptions options = request.options;
  QJsonObject traced;
  if (const auto problem = targetsOf(*text, isDxfName(path), request, options, traced)) {
    err << kProgram << ": " << shownPath << ": " << *problem << '\n';
    status = 2;
    return std::nullopt;
  }
  const auto scaled = scaledBounds(options.targets, options.freeFrame, options.fitView);
  LengthRange* ranges[] = {&options.crank,     &options.lever,       &options.coupler,
                           &options.fixedLink, &options.outputAlong, &options.outputAcross};
  for (std::size_t k = 0; k < scaled.size(); ++k)
    if (!request.boundGiven[k]) *ranges[k] = scaled[k];
  // With a time limit and no count of starts, the time is the budget: rounds of starts run
  // until one passes through the targets or the time is up.
  if (request.timeLimit > 0 && options.starts == 0) options.starts = kMostStarts;
  SynthesisResult result = limitedSynthesis(options, bench.linkage().parameters, request.timeLimit);
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
  return synthesisJson(result, options, traced);
}

}  // namespace gyrenda
