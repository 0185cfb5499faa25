#include "cli/slider_cli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/option_values.h"
#include "linkage/number_text.h"
#include "session/workbench.h"

namespace gyrenda {
namespace {

constexpr const char* kProgram = "gyrenda-cli";

std::string number(double v) { return formatBoxNumber(static_cast<float>(v)); }

QJsonObject candidateJson(const SliderCandidate& c, bool fitView) {
  QJsonObject parameters;
  for (int k = sixLinkLength; k < kParamCount; ++k)
    // The box's text as a number, so that the value reads back as the same float.
    parameters.insert(QString::fromLatin1(paramInfo()[k].name.data(),
                                          static_cast<qsizetype>(paramInfo()[k].name.size())),
                      realNumber(formatBoxNumber(c.parameters[k]), -kParamLimit, kParamLimit)
                          .value_or(0));
  const SliderMotion& m = c.motion;
  QJsonObject json{{"parameters", parameters},       {"stroke", m.stroke},
          {"timeRatio", m.timeRatio},       {"minLinkAngle", m.minLinkAngle},
          {"maxLinkAngle", m.maxLinkAngle}, {"least", m.least},
          {"greatest", m.greatest},         {"forwardFrom", m.forwardFrom},
          {"forwardTo", m.forwardTo},       {"meets", c.meets}};
  // Within one view every candidate fits it: the flag says something only without it.
  if (!fitView) json.insert("fitsView", c.fitsView);
  return json;
}

std::string sliderJson(const SliderResult& result, const SliderOptions& o) {
  QJsonArray candidates;
  for (const SliderCandidate& c : result.candidates)
    candidates.append(candidateJson(c, o.fitView));
  QJsonObject json{{"stroke", o.stroke},
                   {"minLinkAngle", o.minLinkAngle},
                   {"seed", QString::number(o.seed)},
                   {"stopped", result.problem == SliderProblem::Stopped},
                   {"candidates", candidates}};
  if (o.timeRatio) json.insert("timeRatio", *o.timeRatio);
  if (o.slideAngle) json.insert("slideAngle", *o.slideAngle);
  if (!o.fitView) json.insert("fitView", false);
  return QJsonDocument(json).toJson(QJsonDocument::Indented).toStdString();
}

std::string problemInWords(const SliderResult& r, const SliderOptions& o) {
  switch (r.problem) {
    case SliderProblem::BadStroke:
      return o.fitView ? "--stroke takes a length above 0 and at most 396 mm, the width of one "
                         "view (--no-fit-view lifts this)"
                       : "--stroke takes a length above 0 and at most " + number(kLongestFreeStroke) +
                             " mm";
    case SliderProblem::BadTimeRatio: return "--time-ratio takes a ratio above 0";
    case SliderProblem::BadAngle: return "--min-link-angle takes degrees from 0 to below 90";
    case SliderProblem::BadSlideAngle: return "--slide-angle takes degrees";
    case SliderProblem::BadBudget: return "--candidates, --starts and --evaluations take counts above 0";
    case SliderProblem::FourBarDoesNotTurn:
      return "--synthesize-slider: the four-bar's crank does not turn fully, so the slider "
             "cannot follow it through a turn";
    case SliderProblem::NoSlider:
      return std::string("--synthesize-slider: no slide and link ") +
             (o.fitView ? "within one view " : "") + "keep the link at " +
             number(o.minLinkAngle) + " degrees or more to the slide for that stroke";
    case SliderProblem::StrokeOutOfReach:
      return "--stroke: the four-bar's output path gives no stroke of " + number(o.stroke) +
             " mm within the constraints; the strokes found run from " + number(r.reachedLow) +
             " to " + number(r.reachedHigh) + " mm";
    case SliderProblem::TimeRatioOutOfReach:
      return "--time-ratio: strokes of " + number(o.stroke) + " mm were found, but none with a "
             "time ratio within 2 % of " + number(*o.timeRatio) +
             (o.slideAngle ? " with the slide's direction fixed" : "") +
             "; the closest found is " +
             number(r.reachedLow) + (o.fitView ? " within one view (--no-fit-view lifts that limit)" : "");
    case SliderProblem::None:
    case SliderProblem::Stopped: break;
  }
  return {};
}

}  // namespace

std::optional<std::string> runSliderSynthesis(const SliderRequest& request,
                                              const SynthesisRequest& shared, Workbench& bench,
                                              std::ostream& err, int& status) {
  SliderOptions options = request.options;
  options.seed = shared.options.seed;
  options.candidates = shared.options.candidates;
  options.starts = shared.options.starts;
  options.evaluationsPerStart = shared.options.evaluationsPerStart;
  options.fitView = shared.options.fitView;
  // With a time limit and no count of starts, the time is the budget.
  if (shared.timeLimit > 0 && options.starts == 0) options.starts = kMostStarts;
  WorkProgress progress;
  SliderResult result;
  {
    TimeLimit limit(shared.timeLimit, progress);
    result = synthesizeSlider(options, bench.linkage().parameters, progress);
  }
  if (result.problem != SliderProblem::None && result.problem != SliderProblem::Stopped) {
    err << kProgram << ": " << problemInWords(result, options) << '\n';
    status = 2;
    return std::nullopt;
  }
  // Stopped by the time limit before any slider met the request: as if none was found.
  if (result.candidates.empty() || !result.candidates.front().meets) {
    err << kProgram << ": --synthesize-slider: no slider met the request within the time limit\n";
    status = 1;
    return std::nullopt;
  }
  if (result.problem == SliderProblem::Stopped)
    err << kProgram << ": note: the search was stopped at the time limit\n";
  if (shared.applyBest) {
    bench.controls().analyseSixBar = 1;
    bench.applyDesign(result.candidates.front().parameters);
  }
  return sliderJson(result, options);
}

}  // namespace gyrenda
