#include "cli/cli.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QHash>
#include <QTranslator>

#include <cmath>
#include <cstring>
#include <functional>
#include <optional>

#include "cli/cli_options.h"
#include "cli/synthesis_cli.h"
#include "encoders/design_sheet.h"
#include "encoders/image_files.h"
#include "encoders/report_json.h"
#include "encoders/tolerance_json.h"
#include "files/atomic_file.h"
#include "files/data_file.h"
#include "files/drawing.h"
#include "files/same_file.h"
#include "kinematics/kinematic_columns.h"
#include "kinematics/kinematics_analysis.h"
#include "linkage/number_text.h"
#include "session/workbench.h"

namespace gyrenda {
namespace {

constexpr const char* kProgram = "gyrenda-cli";
// The report's figures are taken every half degree, whatever --step asks of the curves.
constexpr double kReportStep = 0.5;

// The platform of the headless program: nothing to show and nobody to ask, but the files it
// writes are encoded by the same encoders as the window's.
class CliPlatform final : public Platform {
 public:
  std::optional<std::string> encodeBitmap(const Raster& canvas) override {
    return bitmapBytes(canvas);
  }
  std::optional<std::string> encodeExport(ExportFormat format, const Raster& canvas,
                                          const Drawing& drawing) override {
    return exportBytes(format, canvas, drawing);
  }
};

// Arguments pass through Qt's parser byte for byte: each byte is one Latin-1 character, so a
// path that is not valid UTF-8 comes back as it was given.
QString fromBytes(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }
std::string toBytes(const QString& s) { return s.toLatin1().toStdString(); }

const CliOption& optionNamed(const QString& name) {
  return *std::ranges::find_if(cliOptions(), [&](const CliOption& o) { return nameOf(o) == name; });
}

// A setting of an analysis that does not run would be dropped without a word.
std::string missingMainOption(const QCommandLineParser& parser) {
  for (const CliOption& o : cliOptions()) {
    if (!o.needs[0] || !parser.isSet(nameOf(o))) continue;
    if (std::ranges::any_of(o.needs, [&](const char* main) {
          return main && parser.isSet(QString::fromLatin1(main));
        }))
      continue;
    std::string mains = std::string("--") + o.needs[0];
    for (std::size_t k = 1; k < o.needs.size() && o.needs[k]; ++k) {
      const bool last = k + 1 == o.needs.size() || !o.needs[k + 1];
      mains += std::string(last ? " or --" : ", --") + o.needs[k];
    }
    return std::string("--") + o.name + " needs " + mains;
  }
  return {};
}

// Why the outputs asked for cannot all be written as asked, before anything runs: an empty
// name, two outputs into one file (by any of its names: a link, /dev/stdout for standard
// output) or both onto standard output (the last would replace the first, or the two documents
// run together), or --frames with an output of the analysis that it replaces. The synthesis's
// candidates go to standard output too. Empty when they can.
std::string refusedFiles(const QCommandLineParser& parser, int standardOutput) {
  std::vector<std::pair<std::string, std::string>> outputs;  // option, path
  for (const CliOption& o : cliOptions()) {
    if (o.kind == OptionKind::Answer || o.kind == OptionKind::Setting) continue;
    for (const QString& path : parser.values(nameOf(o))) {
      if (path.isEmpty())
        return std::string("--") + o.name + " needs a file name" +
               (std::string_view(o.value).ends_with("|-")
                    ? std::string(", or '-' for standard ") +
                          (o.kind == OptionKind::Input ? "input" : "output")
                    : "");
      if (o.kind != OptionKind::Input) outputs.emplace_back(std::string("--") + o.name, toBytes(path));
    }
  }
  if (parser.isSet(QStringLiteral("synthesize"))) outputs.insert(outputs.begin(), {"--synthesize", "-"});
  if (parser.isSet(QStringLiteral("synthesize-slider")))
    outputs.insert(outputs.begin(), {"--synthesize-slider", "-"});
  if (parser.isSet(QStringLiteral("gait"))) outputs.insert(outputs.begin(), {"--gait", "-"});
  for (auto a = outputs.begin(); a != outputs.end(); ++a)
    for (auto b = outputs.begin(); b != a; ++b) {
      if (a->second == "-" && b->second == "-")
        return b->first + " and " + a->first + " both write to standard output";
      if (sameFile(a->second, b->second, standardOutput))
        return b->first + " and " + a->first + " both write '" +
               (a->second == "-" ? b->second : a->second) + "'; each output needs a file of its own";
    }
  if (parser.isSet(QStringLiteral("frames")))
    for (const CliOption& o : cliOptions())
      if (o.kind == OptionKind::AnalysisOutput && parser.isSet(nameOf(o)))
        return std::string("--") + o.name + " writes the result of an analysis, which --frames replaces";
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

struct OutputJob {
  std::string option, path;
  std::function<std::optional<std::string>()> content;  // none: it could not be encoded
};

// Everything asked for, computed: the run, the exact curves, the tolerance samples.
struct Computed {
  std::optional<KinematicsAnalysis> curves, reportFigures;
  std::optional<ToleranceResult> tolerance, sheetTolerance;
  std::optional<std::string> synthesisJson;
};

// The animated GIF of the design in the boxes, with the options the controls and the request give.
std::optional<std::string> animationGif(const CliRequest& request, const Workbench& bench) {
  AnimationGifOptions options = bench.animationGifOptions();
  options.crankStep = request.gifStep;
  options.delayCentiseconds = request.gifDelay;
  options.halfSize = request.gifHalf;
  options.loopForever = !request.gifOnce;
  WorkProgress progress;
  return makeAnimationGif(bench.linkage(), bench.view(), options, progress).bytes;
}

// The design sheet of the analysis in the boxes, in the language asked for; none where it
// cannot be drawn (painting text needs the application object of Qt Gui).
std::optional<std::string> sheetPdf(const CliRequest& request, const Workbench& bench,
                                    const Computed& computed) {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()) || !bench.report())
    return std::nullopt;
  QTranslator english;
  if (!request.sheetInJapanese) {
    if (!english.load(QStringLiteral(":/i18n/gyrenda_en.qm"))) return std::nullopt;
    QCoreApplication::installTranslator(&english);
  }
  const SheetContent content{*bench.report(),
                             buildDrawing(bench.linkage(), bench.view(), bench.result()),
                             *computed.reportFigures, computed.sheetTolerance, request.tolerance};
  std::optional<std::string> pdf = designSheetPdf(content);
  QCoreApplication::removeTranslator(&english);
  return pdf;
}

// The files to write, in the table's order and each option's files in the order given; the
// synthesis's candidates first.
std::vector<OutputJob> outputJobs(const CliRequest& request, const Workbench& bench,
                                  const Computed& computed) {
  const RunResult& result = bench.result();
  // Each content is made when its file is written, after this has returned: what it takes is
  // taken by a copy of the reference.
  const auto file = [&bench](SaveFormat format) {
    return [&bench, format] { return bench.fileBytes(format); };
  };
  std::vector<OutputJob> jobs;
  if (computed.synthesisJson)
    jobs.push_back({request.gait.asked ? "--gait" : "--synthesize", "-",
                    [&] { return computed.synthesisJson; }});
  const std::map<std::string, std::function<std::optional<std::string>()>> contents{
      {"frames", [&] { return framesCsv(result); }},
      {"gyr", file(SaveFormat::DataFile)},
      {"bmp", file(SaveFormat::Bitmap)},
      {"png", file(SaveFormat::Png)},
      {"svg", file(SaveFormat::Svg)},
      {"dxf", file(SaveFormat::Dxf)},
      {"gif", [&] { return animationGif(request, bench); }},
      {"kinematics", [&] { return kinematicsCsv(computed.curves->curves); }},
      {"report", [&] { return reportJson(*bench.report(), *computed.reportFigures); }},
      {"tolerance", [&] { return toleranceJson(*computed.tolerance, request.tolerance); }},
      {"sheet", [&] { return sheetPdf(request, bench, computed); }}};
  for (const CliOption* o : outputOptions())
    if (const auto paths = request.outputs.find(o->name); paths != request.outputs.end())
      for (const std::string& path : paths->second)
        jobs.push_back({std::string("--") + o->name, path, contents.at(o->name)});
  return jobs;
}

// Writes the jobs in order. The first failure ends it and is returned, with the outputs
// written before it and those left unwritten.
std::string writeOutputs(const std::vector<OutputJob>& jobs, std::ostream& out) {
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

// The tolerance samples, or why they cannot be taken.
std::string sampleTolerances(const CliRequest& request, const Workbench& bench,
                             Computed& computed) {
  ToleranceOptions options = request.tolerance;
  options.step = request.step;
  WorkProgress progress;
  computed.tolerance = analyseTolerance(bench.linkage().parameters, options, progress);
  switch (computed.tolerance->problem) {
    case ToleranceProblem::None: return {};
    case ToleranceProblem::NotAssemblable:
      return "--tolerance: the design cannot be assembled at any crank angle";
    case ToleranceProblem::BadSamples:
      return "--tolerance: --samples times the crank angles of --step may be at most 12000000";
    default: return "--tolerance: the analysis could not be made";
  }
}

// What the outputs leave unsaid: empty rows of the curves, samples that lose the full turn.
void writeNotes(const Computed& computed, std::ostream& err) {
  if (computed.curves) {
    const auto samples = computed.curves->curves.samples.size();
    if (computed.curves->fourBarSamples < static_cast<int>(samples))
      err << kProgram << ": note: the four-bar loop closes at " << computed.curves->fourBarSamples
          << " of " << samples << " crank angles; the other rows are empty\n";
  }
  const auto& tolerance = computed.tolerance;
  if (tolerance && tolerance->notFullyTurning > 0)
    err << kProgram << ": warning: in " << tolerance->notFullyTurning * 100
        << " % of the samples the crank no longer turns fully\n";
  if (tolerance && tolerance->sixBarOpen > 0)
    err << kProgram << ": warning: in " << tolerance->sixBarOpen * 100
        << " % of the samples the six-bar link misses the slide where the design's reaches it\n";
}

std::string viewInWords(const View& v) {
  return "zoom " + std::to_string(v.zoomLevel) + ", pan " + std::to_string(v.left) + "," +
         std::to_string(v.top);
}

void noteFit(const ViewFit& fit, std::ostream& err) {
  if (fit.view) return;
  err << kProgram << ": note: --fit: no view holds the whole mechanism; it reaches "
      << static_cast<long long>(std::ceil(fit.shortfall)) << " mm beyond the farthest view\n";
}

// Poses the raster could not find because they lay outside the view: the outputs are short of
// them, though nothing failed.
void notePosesOutOfView(const Workbench& bench, bool fitted, std::ostream& err) {
  const auto& report = bench.report();
  if (!report) return;
  const int fourBar = report->fourBar.posesOutOfView;
  const int sixBar = report->sixBar ? report->sixBar->posesOutOfView : 0;
  if (fourBar + sixBar == 0) return;
  err << kProgram << ": note: " << fourBar << " four-bar and " << sixBar
      << " six-bar poses lie outside the view (" << viewInWords(bench.view())
      << ") and were not found" << (fitted ? "" : "; --fit shows the whole mechanism") << '\n';
}

// Runs what the options asked for on the design they left in the boxes and writes it.
int produce(CliRequest& request, Workbench& bench, CliDescriptors descriptors,
            std::ostream& out, std::ostream& err) {
  Computed computed;
  const auto has = [&](const char* option) { return request.outputs.contains(option); };
  if (request.synthesis.targetsPath) {
    int status = 0;
    computed.synthesisJson = runSynthesis(request.synthesis, bench, descriptors.input, err, status);
    if (!computed.synthesisJson) return status;
  } else if (request.slider.run) {
    int status = 0;
    computed.synthesisJson = runSliderSynthesis(request.slider, request.synthesis, bench, err, status);
    if (!computed.synthesisJson) return status;
  } else if (request.gait.asked) {
    int status = 0;
    computed.synthesisJson = runGait(request.gait, request.synthesis, bench, err, status);
    if (!computed.synthesisJson) return status;
  } else if (request.outputs.empty()) {
    request.outputs["gyr"] = {"-"};
  }
  if (request.fit) noteFit(bench.fit(), err);
  if (has("frames")) bench.computeFrames();
  else if (!request.outputs.empty()) bench.execute();
  if (has("kinematics"))
    computed.curves = analyseKinematics(bench.linkage().parameters, request.rpm, request.step);
  if (has("report") || has("sheet"))
    computed.reportFigures = analyseKinematics(bench.linkage().parameters, request.rpm, kReportStep);
  if (has("tolerance"))
    if (const std::string refused = sampleTolerances(request, bench, computed); !refused.empty()) {
      err << kProgram << ": " << refused << '\n';
      return 2;
    }
  if (has("sheet") && request.sheetTolerance) {
    ToleranceOptions options = request.tolerance;
    options.step = kReportStep;
    WorkProgress progress;
    computed.sheetTolerance = analyseTolerance(bench.linkage().parameters, options, progress);
  }
  if (const std::string failure = writeOutputs(outputJobs(request, bench, computed), out);
      !failure.empty()) {
    err << kProgram << ": " << failure << '\n';
    return 1;
  }
  writeNotes(computed, err);
  if (!has("frames")) notePosesOutOfView(bench, request.fit, err);
  return 0;
}

// Lines of at most `width` characters from the words of `text`.
std::vector<std::string> wrapped(const std::string& text, std::size_t width) {
  std::vector<std::string> lines(1);
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    const std::string word = text.substr(at, end - at);
    if (!lines.back().empty() && lines.back().size() + 1 + word.size() > width) lines.emplace_back();
    lines.back() += (lines.back().empty() ? "" : " ") + word;
    at = end + 1;
  }
  return lines;
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

bool drawsSheet(const std::vector<std::string>& args) {
  return std::ranges::any_of(args, [](const std::string& a) {
    return a == "--sheet" || a.starts_with("--sheet=");
  });
}

std::string cliUsage() {
  constexpr std::size_t kIndent = 23, kWidth = 79;
  std::string help =
      "Usage: gyrenda-cli [OPTION]...\n"
      "Analyse a linkage design without a window and write the results.\n\n";
  for (const CliOption& o : cliOptions()) {
    std::string head = std::string("  --") + o.name + (o.value ? std::string(" ") + o.value : "");
    head = head.size() < kIndent ? head + std::string(kIndent - head.size(), ' ')
                                 : head + "\n" + std::string(kIndent, ' ');
    for (const std::string& line : wrapped(o.help, kWidth - kIndent)) {
      help += head + line + "\n";
      head = std::string(kIndent, ' ');
    }
  }
  for (const std::string& line : wrapped(
           "Without an output option the numeric data file goes to standard output. An output "
           "option given more than once writes every file it names. Each output needs a file "
           "of its own, and one at most goes to standard output. The options of --synthesize, "
           "--kinematics, --report, --tolerance and --sheet are refused without the option they "
           "belong to.", kWidth))
    help += "\n" + line;
  return help + "\n";
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

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           CliDescriptors descriptors) {
  QCommandLineParser parser;
  parser.addOptions(parserOptions());
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
  for (const std::string& refused :
       {missingMainOption(parser), refusedFiles(parser, descriptors.output)})
    if (!refused.empty()) return usageError(refused);

  CliPlatform platform;
  Workbench bench(&platform);
  bench.start();
  // The window opens with the focus in box 0; the first focus change runs its pass.
  bench.leaveBox(0);

  // Options act in the order given, as a user acts in the window.
  CliRequest request;
  CliContext context{bench, request};
  QHash<QString, int> taken;  // how many values of each option were used so far
  for (const QString& name : parser.optionNames()) {
    const CliOption& option = optionNamed(name);
    const QStringList values = parser.values(name);
    const std::string value = values.isEmpty() ? std::string() : toBytes(values.value(taken[name]++));
    if (option.kind == OptionKind::Output || option.kind == OptionKind::AnalysisOutput) {
      request.outputs[option.name].push_back(value);
    } else if (name == QLatin1String("load")) {
      if (const std::string reason = bench.loadDesignFile(value); !reason.empty()) {
        err << kProgram << ": " << value << ": " << reason << '\n';
        return 1;
      }
    } else if (const std::string refused = option.act(value, context); !refused.empty()) {
      return usageError(refused);
    }
  }
  return produce(request, bench, descriptors, out, err);
}

}  // namespace gyrenda
