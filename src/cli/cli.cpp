#include "cli/cli.h"
#include "cli/option_values.h"
#include "cli/synthesis_cli.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QHash>
#include <sys/stat.h>

#include <charconv>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>

#include "encoders/image_files.h"
#include "encoders/report_json.h"
#include "encoders/tolerance_json.h"
#include "files/atomic_file.h"
#include "files/data_file.h"
#include "files/drawing.h"
#include "kinematics/kinematic_columns.h"
#include "kinematics/kinematics_analysis.h"
#include "linkage/number_text.h"
#include "session/workbench.h"
#include "tolerance/tolerance_analysis.h"

namespace gyrenda {
namespace {

constexpr const char* kProgram = "gyrenda-cli";

struct UsageError {
  std::string message;
};

// Arguments pass through Qt's parser byte for byte: each byte is one Latin-1 character, so a
// path that is not valid UTF-8 comes back as it was given.
QString fromBytes(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }
std::string toBytes(const QString& s) { return s.toLatin1().toStdString(); }

// A finite number within [least, most], written in full (no trailing characters).
struct Outputs {
  std::optional<std::string> gyr, bmp, frames, report, kinematics, tolerance;
  double rpm = 60, step = 0.5;  // the crank speed and the crank-angle step of the kinematics
  ToleranceOptions toleranceOptions;
  std::vector<std::pair<ExportFormat, std::string>> exports;  // --png, --svg, --dxf in order
  SynthesisRequest synthesis;  // --synthesize and its options
};

using ExportOption = std::pair<const char*, ExportFormat>;
const ExportOption kExportOptions[] = {
    {"png", ExportFormat::Png}, {"svg", ExportFormat::Svg}, {"dxf", ExportFormat::Dxf}};

// Every option of the program; those with a value name take one.
QList<QCommandLineOption> programOptions() {
  QList<QCommandLineOption> options;
  for (const char* name : {"load", "set", "speed", "zoom", "pan", "gyr", "bmp", "png", "svg",
                           "dxf", "frames", "report", "kinematics", "rpm", "step",
                           "tolerance", "tol", "clearance", "samples", "seed", "distribution"})
    options.append(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
  for (const char* name : {"six", "no-optimise-four", "no-optimise-six", "help", "version"})
    options.append(QCommandLineOption(QString::fromLatin1(name)));
  for (const char* name : {"synthesize", "min-transmission", "candidates", "starts",
                           "evaluations", "time-limit", "bound"})
    options.append(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
  for (const char* name : {"ordered", "keep-order", "free-frame", "apply-best"})
    options.append(QCommandLineOption(QString::fromLatin1(name)));
  return options;
}

// The options that name an output, and those of them that draw the canvas or the loci of an
// analysis, which the frame searches replace.
constexpr const char* kOutputOptions[] = {"gyr", "bmp", "png", "svg", "dxf", "frames", "report",
                                          "kinematics", "tolerance"};
constexpr const char* kAnalysisOutputs[] = {"bmp", "png", "svg", "dxf", "report"};

// Whether two output paths name the same file: the same path once "." and ".." are resolved,
// or two names of one existing file.
bool sameFile(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  if (fs::path(a).lexically_normal() == fs::path(b).lexically_normal()) return true;
  struct stat sa{}, sb{};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

// Why the outputs asked for cannot all be written as asked, before anything runs: an empty
// path, two outputs into one file or both onto standard output (the last would replace the
// first, or the two documents run together), or --frames with an output of the analysis that
// it replaces. Empty when they can.
std::string refusedOutputs(const QCommandLineParser& parser) {
  std::vector<std::pair<std::string, std::string>> outputs;  // option, path
  for (const char* option : kOutputOptions)
    for (const QString& path : parser.values(QString::fromLatin1(option)))
      outputs.emplace_back(std::string("--") + option, toBytes(path));
  for (auto a = outputs.begin(); a != outputs.end(); ++a) {
    if (a->second.empty())
      return a->first + " needs a file name, or '-' for standard output";
    for (auto b = outputs.begin(); b != a; ++b) {
      if (a->second == "-" && b->second == "-")
        return b->first + " and " + a->first + " both write to standard output";
      if (a->second != "-" && b->second != "-" && sameFile(a->second, b->second))
        return b->first + " and " + a->first + " both write '" + a->second +
               "'; each output needs a file of its own";
    }
  }
  if (parser.isSet(QStringLiteral("frames")))
    for (const char* option : kAnalysisOutputs)
      if (parser.isSet(QString::fromLatin1(option)))
        return std::string("--") + option +
               " writes the result of an analysis, which --frames replaces";
  return {};
}

// Writes `content` to a path, or to standard output for "-".
std::string writeOutput(const std::string& path, const std::string& content, std::ostream& out) {
  if (path == "-") {
    out << content;
    out.flush();
    return out ? std::string() : std::string("standard output: write failed");
  }
  const int error = saveFile(path, content);
  return error ? path + ": " + saveFailureInWords(error) : std::string();
}

// One option acting on the workbench as its control in the window does; output options are
// only noted. Throws UsageError for a value it does not take.
void apply(const std::string& name, const std::string& value, Workbench& bench, Outputs& outputs) {
  ControlState& controls = bench.controls();
  if (std::string error; takeSynthesisOption(name, value, outputs.synthesis, error)) {
    if (!error.empty()) throw UsageError{error};
    return;
  }
  if (name == "set") {
    const auto eq = value.find('=');
    if (eq == std::string::npos) throw UsageError{"--set needs NAME=TEXT, got '" + value + "'"};
    const auto k = findParam(std::string_view(value).substr(0, eq));
    if (!k) throw UsageError{"unknown parameter '" + value.substr(0, eq) + "'"};
    controls.boxText[*k] = value.substr(eq + 1);
    bench.leaveBox(*k);
  } else if (name == "speed") {
    static const char* const kSpeeds[] = {"uma", "inu", "kame"};
    const auto* found = std::find_if(std::begin(kSpeeds), std::end(kSpeeds),
                                     [&](const char* s) { return value == s; });
    if (found == std::end(kSpeeds))
      throw UsageError{"--speed takes uma, inu or kame, got '" + value + "'"};
    bench.selectSpeed(static_cast<int>(found - std::begin(kSpeeds)));
  } else if (name == "six") {
    controls.analyseSixBar = 1;
  } else if (name == "no-optimise-four") {
    controls.optimiseFourBar = 0;
  } else if (name == "no-optimise-six") {
    controls.optimiseSixBar = 0;
  } else if (name == "zoom") {
    const auto z = wholeNumber(value, 2, 4);
    if (!z) throw UsageError{"--zoom takes 2, 3 or 4, got '" + value + "'"};
    View view = bench.view();
    view.zoomLevel = *z;
    bench.setView(view);
  } else if (name == "pan") {
    const auto comma = value.find(',');
    const auto h = comma == std::string::npos ? std::nullopt
                                              : wholeNumber(value.substr(0, comma), -300, 300);
    const auto v = comma == std::string::npos ? std::nullopt
                                              : wholeNumber(value.substr(comma + 1), -300, 300);
    if (!h || !v)
      throw UsageError{"--pan takes H,V with both from -300 to 300, got '" + value + "'"};
    bench.setView({bench.view().zoomLevel, *h, *v});
  } else if (name == "gyr") {
    outputs.gyr = value;
  } else if (name == "bmp") {
    outputs.bmp = value;
  } else if (name == "frames") {
    outputs.frames = value;
  } else if (name == "report") {
    outputs.report = value;
  } else if (name == "kinematics") {
    outputs.kinematics = value;
  } else if (name == "rpm") {
    const auto rpm = realNumber(value, 1e-3, 1e6);
    if (!rpm) throw UsageError{"--rpm takes a speed from 0.001 to 1000000, got '" + value + "'"};
    outputs.rpm = *rpm;
  } else if (name == "step") {
    const auto step = realNumber(value, 1e-3, 360);
    if (!step) throw UsageError{"--step takes degrees from 0.001 to 360, got '" + value + "'"};
    outputs.step = *step;
  } else if (name == "tolerance") {
    outputs.tolerance = value;
  } else if (name == "tol") {
    // T for every design value, or NAME=T for one; later ones override earlier ones.
    const auto eq = value.find('=');
    const std::string number = eq == std::string::npos ? value : value.substr(eq + 1);
    const auto t = realNumber(number, 0, kMaxTolerance);
    if (!t)
      throw UsageError{"--tol takes T or NAME=T with T a length from 0 to 1000, got '" + value +
                       "'"};
    if (eq == std::string::npos) {
      outputs.toleranceOptions.tolerance.fill(*t);
    } else {
      const auto k = findParam(std::string_view(value).substr(0, eq));
      if (!k) throw UsageError{"unknown parameter '" + value.substr(0, eq) + "'"};
      outputs.toleranceOptions.tolerance[*k] = *t;
    }
  } else if (name == "clearance") {
    const auto c = realNumber(value, 0, kMaxTolerance);
    if (!c) throw UsageError{"--clearance takes a length from 0 to 1000, got '" + value + "'"};
    outputs.toleranceOptions.clearance = *c;
  } else if (name == "samples") {
    const auto n = wholeNumber(value, 1, kMaxToleranceSamples);
    if (!n)
      throw UsageError{"--samples takes a count from 1 to 1000000, got '" + value + "'"};
    outputs.toleranceOptions.samples = *n;
  } else if (name == "seed") {
    const auto seed = wholeNumber<std::uint64_t>(value, 0, UINT64_MAX);
    if (!seed)
      throw UsageError{"--seed takes a whole number from 0 to 18446744073709551615, got '" +
                       value + "'"};
    outputs.toleranceOptions.seed = *seed;
  } else if (name == "distribution") {
    if (value != "uniform" && value != "normal")
      throw UsageError{"--distribution takes uniform or normal, got '" + value + "'"};
    outputs.toleranceOptions.distribution =
        value == "normal" ? ToleranceDistribution::Normal : ToleranceDistribution::Uniform;
  } else {
    for (const auto& [option, format] : kExportOptions)
      if (name == option) outputs.exports.emplace_back(format, value);
  }
}

// Writes what was asked for, in a fixed order. The first failure ends it and is returned,
// with the outputs written before it and those left unwritten.
std::string writeOutputs(const Outputs& outputs, const Workbench& bench,
                         const std::optional<KinematicsAnalysis>& exact,
                         const std::optional<ToleranceResult>& tolerance, std::ostream& out) {
  const RunResult& result = bench.result();
  struct Job {
    std::string option, path;
    std::function<std::optional<std::string>()> content;  // none: it could not be encoded
  };
  std::vector<Job> jobs;
  const auto add = [&jobs](std::string option, const std::optional<std::string>& path,
                           std::function<std::optional<std::string>()> content) {
    if (path) jobs.push_back({std::move(option), *path, std::move(content)});
  };
  add("--frames", outputs.frames, [&] { return framesCsv(result); });
  add("--gyr", outputs.gyr, [&] { return dataFileText(bench.linkage().parameters, result); });
  add("--bmp", outputs.bmp, [&] { return bitmapBytes(bench.canvas()); });
  for (const auto& [format, path] : outputs.exports) {
    const auto* option = std::ranges::find(kExportOptions, format, &ExportOption::second);
    add(std::string("--") + option->first, path, [&, format = format] {
      const Drawing drawing = buildDrawing(bench.linkage(), bench.view(), result);
      return exportBytes(format, bench.canvas(), drawing);
    });
  }
  add("--kinematics", outputs.kinematics, [&] { return kinematicsCsv(exact->curves); });
  add("--report", outputs.report, [&] { return reportJson(*result.report, *exact); });
  add("--tolerance", outputs.tolerance,
      [&] { return toleranceJson(*tolerance, outputs.toleranceOptions); });

  const auto named = [](auto from, auto to) {
    std::string list;
    for (auto job = from; job != to; ++job)
      list += (list.empty() ? "" : ", ") + job->option + ' ' + job->path;
    return list;
  };
  for (auto job = jobs.begin(); job != jobs.end(); ++job) {
    const std::optional<std::string> content = job->content();
    std::string failure =
        content ? writeOutput(job->path, *content, out)
                : job->path + (job->option == "--bmp" ? ": the image" : ": the file") +
                      " could not be encoded";
    if (failure.empty()) continue;
    if (jobs.size() > 1) {
      failure += job == jobs.begin() ? "; nothing was written"
                                     : "; written: " + named(jobs.begin(), job);
      if (job + 1 != jobs.end()) failure += "; not written: " + named(job + 1, jobs.end());
    }
    return failure;
  }
  return {};
}

}  // namespace

std::string saveFailureInWords(int error) {
  switch (saveFailureOf(error)) {
    case SaveFailure::FolderMissing: return "the folder does not exist";
    case SaveFailure::PermissionDenied: return "permission denied";
    case SaveFailure::DiskFull: return "the disk is full";
    case SaveFailure::NameTooLong: return "the name is too long";
    case SaveFailure::ReadOnlyFileSystem: return "read-only file system";
    case SaveFailure::IsAFolder: return "it is a folder";
    case SaveFailure::NoReader: return "nothing reads from it";
    case SaveFailure::ReaderWentAway: return "the reader went away";
    case SaveFailure::ReaderStopped: return "the reader takes nothing";
    case SaveFailure::UnsupportedKindOfFile: return "cannot save into this kind of file";
    case SaveFailure::LinkLoop: return "too many symbolic links";
    case SaveFailure::Other: break;
  }
  return std::strerror(error);
}

std::string cliUsage() {
  return "Usage: gyrenda-cli [OPTION]...\n"
         "Analyse a linkage design without a window and write the results.\n"
         "\n"
         "  --load FILE          load a numeric data file (*.GYR) as the load command does\n"
         "  --set NAME=TEXT      type TEXT into the box of parameter NAME (name or index 0-12)\n"
         "                       and leave the box; repeatable, applied in order\n"
         "  --speed uma|inu|kame analysis speed (default inu)\n"
         "  --six                also analyse the six-bar extension\n"
         "  --no-optimise-four   do not narrow the four-bar search\n"
         "  --no-optimise-six    do not narrow the six-bar search\n"
         "  --zoom 2|3|4         zoom level of the canvas (default 3)\n"
         "  --pan H,V            left and top edge of the view, -300 to 300 (default -60,-140)\n"
         "  --gyr FILE|-         write the numeric data file ('-' for standard output)\n"
         "  --bmp FILE|-         write the canvas as a bitmap ('-' for standard output)\n"
         "  --png FILE|-         write the canvas as a PNG image, the same pixels as --bmp\n"
         "  --svg FILE|-         write the construction and every path of the analysis as an\n"
         "                       SVG drawing in world units (1 unit = 1 mm, y up)\n"
         "  --dxf FILE|-         write the same drawing as a DXF file (AutoCAD 2000, mm)\n"
         "  --frames FILE|-      run the animation frame searches instead of the analysis and\n"
         "                       write the frame tables as CSV (not with --bmp, --png,\n"
         "                       --svg, --dxf or --report, which write an analysis)\n"
         "  --report FILE|-      write the report of the analysis as JSON: linkage class,\n"
         "                       transmission angle, poses found, path extents, slider\n"
         "                       stroke and the distance of the found poses from the exact\n"
         "                       ones (not with --frames), and the exact kinematics: the\n"
         "                       transmission angle, dead centres, rocking angle, time\n"
         "                       ratios, slider stroke, peak speeds, accelerations and input\n"
         "                       torque per newton at --rpm\n"
         "  --kinematics FILE|-  write the exact kinematics over one crank turn as CSV: poses,\n"
         "                       velocities, accelerations and the input torque per newton\n"
         "                       resisting the slider; empty fields where a loop does not close\n"
         "  --rpm N              crank speed for --kinematics and --report (default 60)\n"
         "  --step DEG           crank-angle step of --kinematics and --tolerance (default 0.5)\n"
         "  --tolerance FILE|-   write a tolerance analysis as JSON: Monte Carlo samples of the\n"
         "                       design with every value off within its tolerance and every\n"
         "                       pin with its clearance; per crank angle the 95th percentile\n"
         "                       and the greatest distance of the four-bar output, six-bar\n"
         "                       output and slider from their nominal places (band95,\n"
         "                       bandMax), percentiles of slider stroke, rocking angle and\n"
         "                       least transmission angle, the share of samples whose crank\n"
         "                       no longer turns fully, and the sensitivity of the outputs\n"
         "                       to each value, ranked\n"
         "  --tol T | NAME=T     tolerance ± T (mm) of every design value, or of parameter NAME\n"
         "                       alone; repeatable, applied in order (default 0.1)\n"
         "  --clearance C        clearance of every pin joint, mm (default 0.05)\n"
         "  --samples N          Monte Carlo samples (default 2000): 1 to 12000000 divided by\n                       the crank angles of --step (16643 at 0.5), 1000000 at most\n"
         "  --seed N             seed of the samples; the same seed gives the same file\n"
         "                       (default 1)\n"
         "  --distribution uniform|normal\n"
         "                       errors uniform within ± the tolerance, or normal with\n"
         "                       sigma a third of it (default uniform)\n"
         "  --synthesize FILE|-  path synthesis: find crank-rockers whose output path passes\n"
         "                       closest to the targets in FILE ('-' for standard input; x,y\n"
         "                       per line, comma, semicolon or blanks, optional header) and\n"
         "                       write them as JSON on standard output, best first: the six\n"
         "                       four-bar values, each target's distance, the largest and RMS\n"
         "                       distance, class and least transmission angle\n"
         "  --ordered            the path meets the targets in their order as the crank turns\n"
         "                       (--keep-order says the same)\n"
         "  --min-transmission DEG\n"
         "                       the transmission angle stays within DEG ... 180-DEG over the\n"
         "                       whole turn (default 30); the crank always turns fully\n"
         "  --free-frame         the linkage may also be moved and turned against the targets;\n"
         "                       each candidate then gives the crank pivot, the fixed link's\n"
         "                       angle and the rotation and shift into the program's frame\n"
         "  --bound NAME=LOW:HIGH\n"
         "                       range of one of the six four-bar values (default 1:200 for\n"
         "                       the lengths, -200:200 for the offsets); repeatable\n"
         "  --candidates N       distinct candidates at most, 1 to 100 (default 10)\n"
         "  --starts N, --evaluations N\n"
         "                       the search's budget: independent starts and evaluations per\n"
         "                       start (default 64 and 3000, 96 and 5000 with --free-frame);\n"
         "                       --seed seeds it too: the same seed, the same candidates\n"
         "  --time-limit S       stop the search after S seconds with the best found so far\n"
         "  --apply-best         type the best candidate into the boxes, so that the other\n"
         "                       outputs describe it (none of them on standard output)\n"
         "  --help               show this help and exit\n"
         "  --version            show the version and exit\n"
         "\n"
         "Without --gyr, --bmp, --png, --svg, --dxf, --frames, --report, --kinematics or\n"
         "--tolerance the numeric data file goes to standard output. Each output needs a file of its own,\n"
         "and one at most goes to standard output.\n";
}

std::string framesCsv(const RunResult& r) {
  std::string csv =
      "crankAngle,leverTipX,leverTipY,outputX,outputY,sixAxisX,sixAxisY,sixOffsetX,sixOffsetY\n";
  for (float a = 0.0f; a <= 360.0f; a += 0.5f) {
    const int i = angleIndex(a);
    csv += formatBoxNumber(a);
    for (const AngleTable* t : {&r.leverTipX, &r.leverTipY, &r.outputX, &r.outputY, &r.sixAxisX,
                                &r.sixAxisY, &r.sixOffsetX, &r.sixOffsetY}) {
      csv += ',';
      csv += formatBoxNumber((*t)[i]);
    }
    csv += '\n';
  }
  return csv;
}

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  QCommandLineParser parser;
  parser.addOptions(programOptions());
  QStringList arguments{QString::fromLatin1(kProgram)};
  for (const std::string& a : args) arguments.append(fromBytes(a));
  const auto usageError = [&](const std::string& message) {
    err << kProgram << ": " << message << '\n';
    return 2;
  };
  if (!parser.parse(arguments)) {
    std::string why = toBytes(parser.errorText());
    if (!why.empty() && why.back() == '.') why.pop_back();  // Qt's texts are sentences
    return usageError(why + " (try --help)");
  }
  if (!parser.positionalArguments().isEmpty())
    return usageError("unexpected argument '" + toBytes(parser.positionalArguments().first()) +
                      "' (try --help)");
  if (parser.isSet(QStringLiteral("help"))) {
    out << cliUsage();
    return 0;
  }
  if (parser.isSet(QStringLiteral("version"))) {
    out << kProgram << " " GYRENDA_VERSION "\n";
    return 0;
  }

  if (const std::string refused = refusedOutputs(parser); !refused.empty())
    return usageError(refused);
  // The synthesis writes its answer on standard output.
  if (parser.isSet(QStringLiteral("synthesize")))
    for (const char* option : kOutputOptions)
      if (parser.values(QString::fromLatin1(option)).contains(QStringLiteral("-")))
        return usageError(std::string("--synthesize and --") + option +
                          " both write to standard output");

  Workbench bench;
  bench.start();
  // The window opens with the focus in box 0; the first focus change runs its pass.
  bench.leaveBox(0);

  // Options act in the order given, as a user acts in the window.
  Outputs outputs;
  QHash<QString, int> taken;  // how many values of each option were used so far
  try {
    for (const QString& name : parser.optionNames()) {
      const QStringList values = parser.values(name);
      const std::string value = values.isEmpty() ? std::string() : toBytes(values.value(taken[name]++));
      if (name == QLatin1String("load")) {
        const std::string reason = bench.loadDesignFile(value);
        if (!reason.empty()) {
          err << kProgram << ": " << value << ": " << reason << '\n';
          return 1;
        }
      } else {
        apply(toBytes(name), value, bench, outputs);
      }
    }
  } catch (const UsageError& e) {
    return usageError(e.message);
  }

  // The search starts from the design in the boxes once every option has acted; with
  // --apply-best the outputs below describe its best candidate, and without outputs it
  // writes nothing else.
  if (outputs.synthesis.targetsPath) {
    if (const int status = runSynthesis(outputs.synthesis, bench, out, err)) return status;
  }
  if (!outputs.gyr && !outputs.bmp && !outputs.frames && !outputs.report &&
      !outputs.kinematics && !outputs.tolerance && outputs.exports.empty()) {
    if (outputs.synthesis.targetsPath) return 0;
    outputs.gyr = "-";
  }
  if (outputs.frames) bench.computeFrames();
  else bench.execute();

  std::optional<KinematicsAnalysis> exact;
  if (outputs.report || outputs.kinematics)
    exact = analyseKinematics(bench.linkage().parameters, outputs.rpm, outputs.step);
  std::optional<ToleranceResult> tolerance;
  if (outputs.tolerance) {
    ToleranceOptions options = outputs.toleranceOptions;
    options.step = outputs.step;
    ToleranceProgress progress;
    tolerance = analyseTolerance(bench.linkage().parameters, options, progress);
    if (tolerance->problem == ToleranceProblem::NotAssemblable)
      return usageError("--tolerance: the design cannot be assembled at any crank angle");
    if (tolerance->problem == ToleranceProblem::BadSamples)
      return usageError("--tolerance: --samples times the crank angles of --step may be at "
                        "most 12000000");
    if (tolerance->problem != ToleranceProblem::None)
      return usageError("--tolerance: the analysis could not be made");
  }
  if (const std::string failure = writeOutputs(outputs, bench, exact, tolerance, out);
      !failure.empty()) {
    err << kProgram << ": " << failure << '\n';
    return 1;
  }
  // Curves with gaps are still the answer, but the user is told why rows are empty.
  if (outputs.kinematics) {
    const auto samples = exact->curves.samples.size();
    if (exact->fourBarSamples < static_cast<int>(samples))
      err << kProgram << ": note: the four-bar loop closes at " << exact->fourBarSamples
          << " of " << samples << " crank angles; the other rows are empty\n";
  }
  if (tolerance && tolerance->notFullyTurning > 0)
    err << kProgram << ": warning: in " << tolerance->notFullyTurning * 100
        << " % of the samples the crank no longer turns fully\n";
  if (tolerance && tolerance->sixBarOpen > 0)
    err << kProgram << ": warning: in " << tolerance->sixBarOpen * 100
        << " % of the samples the six-bar link misses the slide where the design's reaches it\n";
  return 0;
}

}  // namespace gyrenda
