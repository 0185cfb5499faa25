#include "cli/cli_options.h"

#include <QCommandLineOption>

#include <algorithm>
#include <cstdint>

#include "cli/option_values.h"
#include "linkage/parameters.h"
#include "session/workbench.h"
#include "synthesis/path_objective.h"

namespace gyrenda {
namespace {

using Act = std::string (*)(const std::string&, CliContext&);

std::string got(const std::string& value) { return ", got '" + value + "'"; }

// --set NAME=TEXT: typed into the box and the box left, one validation pass.
std::string typeIntoBox(const std::string& value, CliContext& c) {
  const auto eq = value.find('=');
  if (eq == std::string::npos) return "--set needs NAME=TEXT" + got(value);
  const auto k = findParam(std::string_view(value).substr(0, eq));
  if (!k) return "unknown parameter '" + value.substr(0, eq) + "'";
  c.bench.enterParameter(*k, value.substr(eq + 1));
  return {};
}

std::string chooseSpeed(const std::string& value, CliContext& c) {
  static const char* const kSpeeds[] = {"uma", "inu", "kame"};
  const auto* found = std::ranges::find_if(kSpeeds, [&](const char* s) { return value == s; });
  if (found == std::end(kSpeeds)) return "--speed takes uma, inu or kame" + got(value);
  c.bench.selectSpeed(static_cast<int>(found - std::begin(kSpeeds)));
  return {};
}

std::string chooseZoom(const std::string& value, CliContext& c) {
  const auto z = wholeNumber(value, 2, 4);
  if (!z) return "--zoom takes 2, 3 or 4" + got(value);
  View view = c.bench.view();
  view.zoomLevel = *z;
  c.bench.setView(view);
  return {};
}

std::string choosePan(const std::string& value, CliContext& c) {
  const auto comma = value.find(',');
  const auto h = comma == std::string::npos ? std::nullopt
                                            : wholeNumber(value.substr(0, comma), -300, 300);
  const auto v = comma == std::string::npos ? std::nullopt
                                            : wholeNumber(value.substr(comma + 1), -300, 300);
  if (!h || !v) return "--pan takes H,V with both from -300 to 300" + got(value);
  c.bench.setView({c.bench.view().zoomLevel, *h, *v});
  return {};
}

// T for every design value, or NAME=T for one; later ones override earlier ones.
std::string setTolerance(const std::string& value, CliContext& c) {
  const auto eq = value.find('=');
  const auto t = realNumber(eq == std::string::npos ? value : value.substr(eq + 1), 0,
                            kMaxTolerance);
  if (!t) return "--tol takes T or NAME=T with T a length from 0 to 1000" + got(value);
  if (eq == std::string::npos) {
    c.request.tolerance.tolerance.fill(*t);
    return {};
  }
  const auto k = findParam(std::string_view(value).substr(0, eq));
  if (!k) return "unknown parameter '" + value.substr(0, eq) + "'";
  c.request.tolerance.tolerance[*k] = *t;
  return {};
}

// NAME=LOW:HIGH for one of the four-bar's six values.
std::string setBound(const std::string& value, CliContext& c) {
  SynthesisOptions& o = c.request.synthesis.options;
  const auto eq = value.find('='), colon = value.find(':', eq == std::string::npos ? 0 : eq);
  const int k = eq == std::string::npos ? -1 : findParam(value.substr(0, eq)).value_or(-1);
  const auto number = [&](std::size_t from, std::size_t count) {
    return colon == std::string::npos
               ? std::nullopt
               : realNumber(value.substr(from, count), -kParamLimit, kParamLimit);
  };
  const auto low = number(eq + 1, colon - eq - 1), high = number(colon + 1, std::string::npos);
  if (k < 0 || k > outputOffsetY || !low || !high || *low > *high)
    return "--bound takes NAME=LOW:HIGH with NAME one of crankRadius, leverRadius, "
           "couplerLength, fixedLinkLength, outputOffsetX, outputOffsetY and LOW <= HIGH "
           "within -30000 ... 30000" + got(value);
  LengthRange* ranges[] = {&o.crank, &o.lever, &o.coupler, &o.fixedLink, &o.outputAlong,
                           &o.outputAcross};
  *ranges[k] = {*low, *high};
  c.request.synthesis.boundGiven[static_cast<std::size_t>(k)] = true;
  return {};
}

std::string setSeed(const std::string& value, CliContext& c) {
  const auto seed = wholeNumber<std::uint64_t>(value, 0, UINT64_MAX);
  if (!seed) return "--seed takes a whole number from 0 to 18446744073709551615" + got(value);
  c.request.tolerance.seed = c.request.synthesis.options.seed = *seed;
  return {};
}

// A whole or real number within [least, most] stored by `store`, or the refusal in words.
template <typename T>
std::string takeNumber(const std::string& option, const std::string& value, T least, T most,
                       const std::string& what, auto store) {
  std::optional<T> v;
  if constexpr (std::is_integral_v<T>) v = wholeNumber<T>(value, least, most);
  else v = realNumber(value, least, most);
  if (!v) return "--" + option + " takes " + what + got(value);
  store(*v);
  return {};
}

std::string setRpm(const std::string& value, CliContext& c) {
  return takeNumber(std::string("rpm"), value, 1e-3, 1e6, "a speed from 0.001 to 1000000",
                    [&](double v) { c.request.rpm = v; });
}
std::string setStep(const std::string& value, CliContext& c) {
  return takeNumber(std::string("step"), value, 1e-3, 360.0, "degrees from 0.001 to 360",
                    [&](double v) { c.request.step = v; });
}
std::string setClearance(const std::string& value, CliContext& c) {
  return takeNumber(std::string("clearance"), value, 0.0, kMaxTolerance,
                    "a length from 0 to 1000", [&](double v) { c.request.tolerance.clearance = v; });
}
std::string setSamples(const std::string& value, CliContext& c) {
  return takeNumber(std::string("samples"), value, 1, kMaxToleranceSamples,
                    "a count from 1 to 1000000", [&](int v) { c.request.tolerance.samples = v; });
}
std::string setDistribution(const std::string& value, CliContext& c) {
  if (value != "uniform" && value != "normal")
    return "--distribution takes uniform or normal" + got(value);
  c.request.tolerance.distribution =
      value == "normal" ? ToleranceDistribution::Normal : ToleranceDistribution::Uniform;
  return {};
}
std::string setLanguage(const std::string& value, CliContext& c) {
  if (value != "en" && value != "ja") return "--language takes en or ja" + got(value);
  c.request.sheetInJapanese = value == "ja";
  return {};
}
std::string setMinTransmission(const std::string& value, CliContext& c) {
  const auto v = realNumber(value, 0, 90);
  if (!v || *v >= 90) return "--min-transmission takes degrees from 0 to below 90" + got(value);
  c.request.synthesis.options.minTransmissionAngle = c.request.gait.minTransmissionAngle = *v;
  return {};
}
std::string setCandidates(const std::string& value, CliContext& c) {
  return takeNumber(std::string("candidates"), value, 1, 100, "a count from 1 to 100",
                    [&](int v) { c.request.synthesis.options.candidates = v; });
}
std::string setStarts(const std::string& value, CliContext& c) {
  return takeNumber(std::string("starts"), value, 1, 100000, "a count from 1 to 100000",
                    [&](int v) { c.request.synthesis.options.starts = v; });
}
std::string setEvaluations(const std::string& value, CliContext& c) {
  return takeNumber(std::string("evaluations"), value, 100, 10000000,
                    "a count from 100 to 10000000",
                    [&](int v) { c.request.synthesis.options.evaluationsPerStart = v; });
}
std::string setRanking(const std::string& value, CliContext& c) {
  if (value != "rms" && value != "max") return "--rank-by takes rms or max" + got(value);
  c.request.synthesis.options.ranking =
      value == "max" ? SynthesisRanking::Largest : SynthesisRanking::Rms;
  return {};
}
std::string setSample(const std::string& value, CliContext& c) {
  return takeNumber(std::string("sample"), value, 3, static_cast<int>(PathObjective::kMostTargets),
                    "a count from 3 to " + std::to_string(PathObjective::kMostTargets),
                    [&](int v) { c.request.synthesis.sample = v; });
}

std::string setMaxSize(const std::string& value, CliContext& c) {
  return takeNumber(std::string("max-size"), value, 1.0, static_cast<double>(kParamLimit),
                    "millimetres from 1 to 30000",
                    [&](double v) { c.request.synthesis.options.maxSize = v; });
}

std::string setTimeLimit(const std::string& value, CliContext& c) {
  return takeNumber(std::string("time-limit"), value, 1e-3, 1e6,
                    "seconds from 0.001 to 1000000", [&](double v) { c.request.synthesis.timeLimit = v; });
}

// A leg's figure: any number within ±30000, which the synthesis judges.
std::string setGaitFigure(const char* option, const std::string& value, auto store) {
  return takeNumber(std::string(option), value, -static_cast<double>(kParamLimit),
                    static_cast<double>(kParamLimit),
                    "a number from -30000 to 30000", store);
}
std::string setStride(const std::string& value, CliContext& c) {
  return setGaitFigure("stride", value, [&](double v) { c.request.gait.stride = v; });
}
std::string setLift(const std::string& value, CliContext& c) {
  return setGaitFigure("lift", value, [&](double v) { c.request.gait.lift = v; });
}
std::string setStance(const std::string& value, CliContext& c) {
  return setGaitFigure("stance", value, [&](double v) { c.request.gait.stanceShare = v; });
}
std::string setFlatness(const std::string& value, CliContext& c) {
  return setGaitFigure("flatness", value, [&](double v) { c.request.gait.flatness = v; });
}
std::string setGroundAngle(const std::string& value, CliContext& c) {
  return takeNumber(std::string("ground-angle"), value, -360.0, 360.0,
                    "degrees from -360 to 360", [&](double v) { c.request.gait.groundAngle = v; });
}

std::string setGifStep(const std::string& value, CliContext& c) {
  const auto v = realNumber(value, 0.5, 180.0);
  if (!v || !validGifCrankStep(*v))
    return "--gif-step takes degrees from 0.5 to 180 in steps of 0.5" + got(value);
  c.request.gifStep = *v;
  return {};
}
std::string setGifDelay(const std::string& value, CliContext& c) {
  return takeNumber(std::string("gif-delay"), value, 20, 655350,
                    "milliseconds from 20 to 655350",
                    [&](int v) { c.request.gifDelay = (v + 5) / 10; });
}

std::string setStroke(const std::string& value, CliContext& c) {
  return takeNumber(std::string("stroke"), value, 1e-3, 1e6, "a length in mm above 0",
                    [&](double v) { c.request.slider.options.stroke = v; });
}
std::string setTimeRatio(const std::string& value, CliContext& c) {
  return takeNumber(std::string("time-ratio"), value, 1e-3, 1e3, "a ratio from 0.001 to 1000",
                    [&](double v) { c.request.slider.options.timeRatio = v; });
}
std::string setMinLinkAngle(const std::string& value, CliContext& c) {
  const auto v = realNumber(value, 0, 90);
  if (!v || *v >= 90) return "--min-link-angle takes degrees from 0 to below 90" + got(value);
  c.request.slider.options.minLinkAngle = *v;
  return {};
}
std::string setSlideAngle(const std::string& value, CliContext& c) {
  return takeNumber(std::string("slide-angle"), value, -360.0, 360.0,
                    "degrees from -360 to 360",
                    [&](double v) { c.request.slider.options.slideAngle = v; });
}

constexpr OptionKind kSetting = OptionKind::Setting, kInput = OptionKind::Input,
                     kOutput = OptionKind::Output, kAnalysis = OptionKind::AnalysisOutput;
constexpr std::array<const char*, 5> kAlone{}, kSynthesis{"synthesize", "gait"},
    kPath{"synthesize"}, kGait{"gait"}, kTolerance{"tolerance", "sheet-tolerance"},
    kExactCurves{"kinematics", "report", "sheet"}, kSampledCurves{"kinematics", "tolerance"},
    kSeeded{"tolerance", "synthesize", "sheet-tolerance", "synthesize-slider", "gait"},
    kSearch{"synthesize", "synthesize-slider", "gait"}, kSlider{"synthesize-slider"},
    kSheet{"sheet"}, kGif{"gif"}, kFreeFrame{"free-frame"};

// The help lists the options in this order; outputs are written in the order they stand here.
const CliOption kOptions[] = {
    {"load", "FILE", "load a numeric data file (*.GYR) as the load command does", kInput, kAlone,
     nullptr},
    {"set", "NAME=TEXT",
     "type TEXT into the box of parameter NAME (name or index 0-12) and leave the box; "
     "repeatable, applied in order", kSetting, kAlone, typeIntoBox},
    {"speed", "uma|inu|kame", "analysis speed (default inu)", kSetting, kAlone, chooseSpeed},
    {"six", nullptr, "also analyse the six-bar extension", kSetting, kAlone,
     [](const std::string&, CliContext& c) { c.bench.controls().analyseSixBar = 1; return std::string(); }},
    {"no-optimise-four", nullptr, "do not narrow the four-bar search", kSetting, kAlone,
     [](const std::string&, CliContext& c) { c.bench.controls().optimiseFourBar = 0; return std::string(); }},
    {"no-optimise-six", nullptr, "do not narrow the six-bar search", kSetting, kAlone,
     [](const std::string&, CliContext& c) { c.bench.controls().optimiseSixBar = 0; return std::string(); }},
    {"zoom", "2|3|4", "zoom level of the canvas (default 3)", kSetting, kAlone, chooseZoom},
    {"pan", "H,V", "left and top edge of the view, -300 to 300 (default -60,-140)", kSetting,
     kAlone, choosePan},
    {"fit", nullptr,
     "choose the closest zoom and pan whose view holds the whole mechanism (with --six, the "
     "six-bar too), after --zoom, --pan and --apply-best, as View > Fit does in the window",
     kSetting, kAlone,
     [](const std::string&, CliContext& c) { c.request.fit = true; return std::string(); }},
    {"frames", "FILE|-",
     "run the animation frame searches instead of the analysis and write the frame tables as "
     "CSV (not with --bmp, --png, --svg, --dxf or --report, which write an analysis)", kOutput},
    {"gyr", "FILE|-", "write the numeric data file ('-' for standard output)", kOutput},
    {"bmp", "FILE|-", "write the canvas as a bitmap ('-' for standard output)", kAnalysis},
    {"png", "FILE|-", "write the canvas as a PNG image, the same pixels as --bmp", kAnalysis},
    {"svg", "FILE|-",
     "write the construction and every path of the analysis as an SVG drawing in world units "
     "(1 unit = 1 mm, y up)", kAnalysis},
    {"dxf", "FILE|-", "write the same drawing as a DXF file (AutoCAD 2000, mm)", kAnalysis},
    {"gif", "FILE|-",
     "write one crank turn of the linkage moving as an animated GIF: each frame the "
     "construction and the paths of an analysis with the linkage at that crank angle, in the "
     "current view; with --six the six-bar moves too", kOutput},
    {"kinematics", "FILE|-",
     "write the exact kinematics over one crank turn as CSV: poses, velocities, accelerations "
     "and the input torque per newton resisting the slider; empty fields where a loop does not "
     "close", kOutput},
    {"report", "FILE|-",
     "write the report of the analysis as JSON: linkage class, transmission angle, poses "
     "found, path extents, slider stroke and the distance of the found poses from the exact "
     "ones, and the exact kinematics at every half degree: the transmission angle, dead "
     "centres, rocking angle, time ratios, slider stroke, peak speeds, accelerations and input "
     "torque per newton at --rpm", kAnalysis},
    {"tolerance", "FILE|-",
     "write a tolerance analysis as JSON: Monte Carlo samples of the design with every value "
     "off within its tolerance and every pin with its clearance; per crank angle the 95th "
     "percentile and the greatest distance of the four-bar output, six-bar output and slider "
     "from their nominal places (band95, bandMax), percentiles of slider stroke, rocking angle "
     "and least transmission angle, the share of samples whose crank no longer turns fully, "
     "and the sensitivity of the outputs to each value, ranked", kOutput},
    {"sheet", "FILE|-",
     "write the design sheet as PDF (A4): the construction and paths at a stated scale (1:1 "
     "where they fit, else the largest standard scale that does) with the thirteen values, "
     "the linkage class, dead centres, rocking angle, time ratios, stroke and transmission "
     "angle; then the kinematics plots at --rpm; text as text, drawings as vectors",
     kAnalysis},
    {"sheet-tolerance", nullptr,
     "add a page of the tolerance analysis to the design sheet, at the tolerances of --tol, "
     "--clearance, --samples, --seed and --distribution (every half degree)", kSetting, kSheet,
     [](const std::string&, CliContext& c) { c.request.sheetTolerance = true; return std::string(); }},
    {"language", "en|ja", "the language of the design sheet (default en)", kSetting, kSheet,
     setLanguage},
    {"rpm", "N", "crank speed of --kinematics, --report and --sheet (default 60)", kSetting,
     kExactCurves, setRpm},
    {"step", "DEG",
     "crank-angle step of --kinematics and --tolerance (default 0.5); the report's figures "
     "are always taken every half degree", kSetting, kSampledCurves, setStep},
    {"gif-step", "DEG", "crank angle between two frames of --gif, 0.5 to 180 (default 5: 72 frames)",
     kSetting, kGif, setGifStep},
    {"gif-delay", "MS",
     "how long each frame of --gif stays, in milliseconds rounded to tens (default: one turn "
     "in about 3 s)", kSetting, kGif, setGifDelay},
    {"gif-half", nullptr, "--gif at half the canvas's size (384 x 224 instead of 769 x 449)",
     kSetting, kGif,
     [](const std::string&, CliContext& c) { c.request.gifHalf = true; return std::string(); }},
    {"gif-once", nullptr, "--gif plays the turn once instead of looping forever", kSetting,
     kGif, [](const std::string&, CliContext& c) { c.request.gifOnce = true; return std::string(); }},
    {"tol", "T | NAME=T",
     "tolerance ± T (mm) of every design value, or of parameter NAME alone; repeatable, "
     "applied in order (default 0.1)", kSetting, kTolerance, setTolerance},
    {"clearance", "C", "clearance of every pin joint, mm (default 0.05)", kSetting, kTolerance,
     setClearance},
    {"samples", "N",
     "Monte Carlo samples, 1 to 1000000 (default 2000); the samples times the crank angles of "
     "--step may be at most 12000000, so at most 16643 at the default step", kSetting,
     kTolerance, setSamples},
    {"seed", "N",
     "seed of the tolerance samples and of the synthesis; the same seed gives the same file "
     "(default 1)", kSetting, kSeeded, setSeed},
    {"distribution", "uniform|normal",
     "errors uniform within ± the tolerance, or normal with sigma a third of it (default "
     "uniform)", kSetting, kTolerance, setDistribution},
    {"synthesize", "FILE|-",
     "path synthesis: find crank-rockers whose output path passes closest to the targets in "
     "FILE ('-' for standard input; x,y per line, or a count 1, 2, 3 ... then x,y, split by "
     "a comma, a semicolon or blanks, full-width digits read as ASCII, an optional header "
     "line naming the columns; 1 MiB at most) and write them as JSON on standard output, best "
     "first: the six four-bar values, each target's distance, the largest and RMS distance, "
     "class and least transmission angle. 3 to 200 targets. A third column x,y,angle (unless "
     "the first numbers count 1, 2, 3 ...) prescribes each target's crank angle in degrees "
     "after the first target's (the first may be left out): the distances are then from the "
     "output point at that angle, with each target's crank-angle error. A DXF drawing (FILE "
     "*.dxf, or one that starts as DXF; 64 MiB at most) gives the targets traced by its first "
     "LWPOLYLINE, POLYLINE, chain of LINEs, POINTs or SPLINE (fit or control points)", kInput, kAlone,
     [](const std::string& v, CliContext& c) { c.request.synthesis.targetsPath = v; return std::string(); }},
    {"layer", "NAME",
     "read the DXF drawing's curve from layer NAME (any case) instead of its first curve",
     kSetting, kPath,
     [](const std::string& v, CliContext& c) { c.request.synthesis.layer = v; return std::string(); }},
    {"sample", "N",
     "N targets, 3 to 200, spaced evenly along the traced curve's length (around it where "
     "the polyline, spline or chain of lines is closed) instead of its points", kSetting,
     kPath, setSample},
    {"gait", nullptr,
     "walking-leg synthesis: find crank-rockers whose output point, the foot, walks with the "
     "stride and lift of --stride and --lift, on the ground for at least the --stance share of "
     "the turn within --flatness of the ground line, and write them as JSON on standard "
     "output, best first: the six four-bar values, the stance share, stride, lift, flatness, "
     "stance speed ratio, least transmission angle and the crank angles where the stance "
     "begins and ends; the synthesis options below apply, --min-transmission 20 by default",
     kSetting, kAlone,
     [](const std::string&, CliContext& c) { c.request.gait.asked = true; return std::string(); }},
    {"stride", "MM", "the foot's travel along the ground during the stance (needed)", kSetting,
     kGait, setStride},
    {"lift", "MM", "the foot's greatest height above the ground line (needed)", kSetting, kGait,
     setLift},
    {"stance", "F", "the share of the crank's turn the foot stays on the ground, above 0 and "
     "below 1 (default 0.5)", kSetting, kGait, setStance},
    {"flatness", "MM", "how far above the ground line the foot may be in its stance (default "
     "1 % of the stride)", kSetting, kGait, setFlatness},
    {"ground-angle", "DEG", "the ground's direction, counterclockwise from the x axis (default "
     "0); with --free-frame the leg may turn against it", kSetting, kGait, setGroundAngle},
    {"ordered", nullptr,
     "the path meets the targets in their order, in either direction, as the crank turns; "
     "each candidate says which (direction: forward or reverse; --keep-order says the "
     "same)", kSetting, kPath,
     [](const std::string&, CliContext& c) { c.request.synthesis.options.keepOrder = true; return std::string(); }},
    {"keep-order", nullptr, "the same as --ordered", kSetting, kPath,
     [](const std::string&, CliContext& c) { c.request.synthesis.options.keepOrder = true; return std::string(); }},
    {"min-transmission", "DEG",
     "the transmission angle stays within DEG ... 180-DEG over the whole turn (default 30); "
     "the crank always turns fully", kSetting, kSynthesis, setMinTransmission},
    {"free-frame", nullptr,
     "the linkage may also be moved and turned against the targets; each candidate then gives "
     "the crank pivot, the fixed link's angle and the rotation and shift into the program's "
     "frame", kSetting, kSynthesis,
     [](const std::string&, CliContext& c) { c.request.synthesis.options.freeFrame = true; return std::string(); }},
    {"mirror", nullptr,
     "with --free-frame, the linkage may also be turned over (the mirror image of one in the "
     "program's frame); each candidate says whether it is (mirrored)", kSetting, kFreeFrame,
     [](const std::string&, CliContext& c) { c.request.synthesis.options.mirror = true; return std::string(); }},
    {"bound", "NAME=LOW:HIGH",
     "range of one of the six four-bar values; repeatable. A range not given scales to the "
     "targets' extent E, the larger side of the box around them (with the crank pivot at the "
     "origin unless --free-frame): E/40 (at least 1) to 4E for the lengths, -4E:4E for the "
     "offsets, 200 at most unless --no-fit-view", kSetting, kSynthesis, setBound},
    {"no-fit-view", nullptr,
     "let candidates be larger than one view of the canvas; by default each fits one view at "
     "zoom 4 with pans within -300 ... 300, the lever circle included, in the program's frame "
     "(with --synthesize-slider the whole six-bar, the slide included)",
     kSetting, kSearch,
     [](const std::string&, CliContext& c) { c.request.synthesis.options.fitView = false; return std::string(); }},
    {"max-size", "MM",
     "the mechanism's size at most MM: the larger side of the box around both pivots, the "
     "crank circle, the lever's upper half-circle and the output path over the whole turn",
     kSetting, kSynthesis, setMaxSize},
    {"no-raster-first", nullptr,
     "rank by the distance alone; by default candidates whose raster analysis (speed kame, "
     "in the view that fits them) finds every pose come first among those within twice the "
     "best one's distance", kSetting, kPath,
     [](const std::string&, CliContext& c) { c.request.synthesis.options.rasterFirst = false; return std::string(); }},
    {"candidates", "N", "distinct candidates at most, 1 to 100 (default 10)", kSetting,
     kSearch, setCandidates},
    {"starts", "N",
     "independent starts of the search at most (default 2048, 4096 with --free-frame), in "
     "rounds of 16 until one passes through the targets; --seed seeds them: the same seed, "
     "the same candidates", kSetting, kSearch, setStarts},
    {"evaluations", "N", "evaluations per start (default 400, 600 with --free-frame)",
     kSetting, kSearch, setEvaluations},
    {"rank-by", "rms|max",
     "what the search minimises and ranks the candidates by: the RMS distance of the targets "
     "from the path, or the largest distance (default rms); both are reported", kSetting,
     kPath, setRanking},
    {"time-limit", "S",
     "stop the search after S seconds, the candidates measured within that time; without "
     "--starts the search makes as many starts as the time allows until one passes through "
     "the targets", kSetting, kSearch, setTimeLimit},
    {"apply-best", nullptr,
     "type the best candidate into the boxes, so that the other outputs describe it (none of "
     "them on standard output)", kSetting, kSearch,
     [](const std::string&, CliContext& c) { c.request.synthesis.applyBest = true; return std::string(); }},
    {"synthesize-slider", nullptr,
     "six-bar slider synthesis for the four-bar in the boxes: find the six-bar link's length "
     "and the slide's two ends that give the slider the stroke of --stroke (and the time "
     "ratio of --time-ratio), the slider on the slide at every crank angle with 5 % of the "
     "stroke to spare at each end, the link at --min-link-angle or more to the slide and the "
     "whole six-bar within one view; write them as JSON on standard output, best first: the "
     "seven six-bar values, the stroke, time ratio and least link-to-slide angle measured; "
     "--seed, --starts, --evaluations (defaults 256 and 800), --candidates, --time-limit and "
     "--apply-best (which also ticks the six-bar) as for --synthesize", kSetting, kAlone,
     [](const std::string&, CliContext& c) { c.request.slider.run = true; return std::string(); }},
    {"stroke", "MM", "the slider's stroke (default 60)", kSetting, kSlider, setStroke},
    {"time-ratio", "R",
     "the forward stroke's time (from the slide's start towards its end) over the return's, "
     "at constant crank speed (default: any)", kSetting, kSlider, setTimeRatio},
    {"min-link-angle", "DEG",
     "the link meets the slide at DEG or more (the acute angle between them) at every crank "
     "angle (default 30)", kSetting, kSlider, setMinLinkAngle},
    {"slide-angle", "DEG",
     "the slide's direction from its start to its end, fixed (degrees counterclockwise from "
     "+x; default: the search chooses it)", kSetting, kSlider, setSlideAngle},
    {"help", nullptr, "show this help and exit", OptionKind::Answer},
    {"version", nullptr, "show the version and exit", OptionKind::Answer},
};

}  // namespace

std::span<const CliOption> cliOptions() { return kOptions; }

QString nameOf(const CliOption& option) { return QString::fromLatin1(option.name); }

QList<QCommandLineOption> parserOptions() {
  QList<QCommandLineOption> options;
  for (const CliOption& o : kOptions)
    options.append(o.value ? QCommandLineOption(nameOf(o), QString(), QStringLiteral("value"))
                           : QCommandLineOption(nameOf(o)));
  return options;
}

std::vector<const CliOption*> outputOptions() {
  std::vector<const CliOption*> outputs;
  for (const CliOption& o : kOptions)
    if (o.kind == kOutput || o.kind == kAnalysis) outputs.push_back(&o);
  return outputs;
}

}  // namespace gyrenda
