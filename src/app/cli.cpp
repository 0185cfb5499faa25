#include "app/cli.h"

#include <charconv>
#include <optional>

#include "app/commands.h"
#include "app/form.h"
#include "app/number_text.h"
#include "app/startup.h"
#include "app/validation.h"
#include "canvas/four_bar_search.h"
#include "canvas/grid.h"
#include "canvas/locus.h"
#include "files/atomic_file.h"
#include "files/data_file.h"
#include "files/file_commands.h"
#include "sixbar/six_bar_search.h"

namespace gyrenda {
namespace {

constexpr const char* kProgram = "gyrenda-cli";

struct UsageError {
  std::string message;
};

std::optional<int> parseInt(std::string_view s) {
  int v = 0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
  return v;
}

struct Outputs {
  std::optional<std::string> gyr, bmp, frames, report;
  std::vector<std::pair<ExportFormat, std::string>> exports;  // --png, --svg, --dxf in order
};

const std::pair<const char*, ExportFormat> kExportOptions[] = {
    {"--png", ExportFormat::Png}, {"--svg", ExportFormat::Svg}, {"--dxf", ExportFormat::Dxf}};

const std::pair<const char*, ExportFormat>* findExportOption(const std::string& opt) {
  for (const auto& e : kExportOptions)
    if (opt == e.first) return &e;
  return nullptr;
}

// Writes `content` to a path, or to standard output for "-".
std::string writeOutput(const std::string& path, const std::string& content, std::ostream& out) {
  if (path == "-") {
    out << content;
    out.flush();
    return out ? std::string() : std::string("standard output: write failed");
  }
  const int error = saveFile(path, content);
  return error ? path + ": " + saveFailureEnglish(error) : std::string();
}

void runFrameSearches(Form& f) {
  BackScreen(f);
  mXmYcls(f);
  Anime4_Kaiseki(f);
  if (ticked(f.Check3)) Anime6_Kaiseki(f);
}

}  // namespace

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
         "                       write the frame tables as CSV\n"
         "  --report FILE|-      write the report of the analysis as JSON: linkage class,\n"
         "                       transmission angle, poses found, path extents, slider\n"
         "                       stroke and the distance of the found poses from the exact\n"
         "                       ones (not with --frames)\n"
         "  --help               show this help and exit\n"
         "  --version            show the version and exit\n"
         "\n"
         "Without --gyr, --bmp, --png, --svg, --dxf, --frames or --report the numeric data\n"
         "file goes to standard output.\n";
}

std::string framesCsv(const Form& f) {
  std::string csv =
      "crankAngle,leverTipX,leverTipY,outputX,outputY,sixAxisX,sixAxisY,sixOffsetX,sixOffsetY\n";
  for (float a = 0.0f; a <= 360.0f; a += 0.5f) {
    const int i = angleIndex(a);
    csv += formatBoxNumber(a);
    for (const AngleTable* t : {&f.leverTipX, &f.leverTipY, &f.outputX, &f.outputY, &f.sixAxisX,
                                &f.sixAxisY, &f.sixOffsetX, &f.sixOffsetY}) {
      csv += ',';
      csv += formatBoxNumber((*t)[i]);
    }
    csv += '\n';
  }
  return csv;
}

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const CliServices& services) {
  Form f;
  Form_Load(f);
  // The window opens with the focus in box 0; the first focus change runs its pass.
  parameter_LostFocus(f, 0);

  Outputs outputs;
  try {
    for (std::size_t a = 0; a < args.size(); ++a) {
      const std::string& opt = args[a];
      const auto value = [&]() -> const std::string& {
        if (a + 1 >= args.size()) throw UsageError{"option " + opt + " needs a value"};
        return args[++a];
      };
      if (opt == "--help") {
        out << cliUsage();
        return 0;
      } else if (opt == "--version") {
        out << kProgram << " 0.2.1\n";
        return 0;
      } else if (opt == "--load") {
        const std::string& path = value();
        const std::string reason = loadDesignFile(f, path);
        if (!reason.empty()) {
          err << kProgram << ": " << path << ": " << reason << '\n';
          return 1;
        }
      } else if (opt == "--set") {
        const std::string& v = value();
        const auto eq = v.find('=');
        if (eq == std::string::npos) throw UsageError{"--set needs NAME=TEXT, got '" + v + "'"};
        const auto k = findParam(std::string_view(v).substr(0, eq));
        if (!k) throw UsageError{"unknown parameter '" + v.substr(0, eq) + "'"};
        f.parameterText[*k] = v.substr(eq + 1);
        parameter_LostFocus(f, *k);
      } else if (opt == "--speed") {
        const std::string& v = value();
        if (v == "uma") selectSpeed(f, 0);
        else if (v == "inu") selectSpeed(f, 1);
        else if (v == "kame") selectSpeed(f, 2);
        else throw UsageError{"--speed takes uma, inu or kame, got '" + v + "'"};
      } else if (opt == "--six") {
        f.Check3 = 1;
      } else if (opt == "--no-optimise-four") {
        f.Check2 = 0;
      } else if (opt == "--no-optimise-six") {
        f.Check4 = 0;
      } else if (opt == "--zoom") {
        const std::string& v = value();
        const auto z = parseInt(v);
        if (!z || *z < 2 || *z > 4) throw UsageError{"--zoom takes 2, 3 or 4, got '" + v + "'"};
        f.zoomLevel = static_cast<std::int16_t>(*z);
      } else if (opt == "--pan") {
        const std::string& v = value();
        const auto comma = v.find(',');
        const auto h = comma == std::string::npos ? std::nullopt : parseInt(v.substr(0, comma));
        const auto vv = comma == std::string::npos ? std::nullopt : parseInt(v.substr(comma + 1));
        if (!h || !vv || *h < -300 || *h > 300 || *vv < -300 || *vv > 300)
          throw UsageError{"--pan takes H,V with both from -300 to 300, got '" + v + "'"};
        f.HScroll1 = *h;
        f.VScroll1 = *vv;
      } else if (opt == "--gyr") {
        outputs.gyr = value();
      } else if (opt == "--bmp") {
        if (!services.encodeBitmap) throw UsageError{"--bmp is not available in this build"};
        outputs.bmp = value();
      } else if (const auto* e = findExportOption(opt)) {
        if (!services.encodeExport) throw UsageError{opt + " is not available in this build"};
        outputs.exports.emplace_back(e->second, value());
      } else if (opt == "--frames") {
        outputs.frames = value();
      } else if (opt == "--report") {
        if (!services.reportJson) throw UsageError{"--report is not available in this build"};
        outputs.report = value();
      } else {
        throw UsageError{"unknown option '" + opt + "' (try --help)"};
      }
    }
    if (outputs.report && outputs.frames)
      throw UsageError{"--report reports an analysis, which --frames replaces"};
  } catch (const UsageError& e) {
    err << kProgram << ": " << e.message << '\n';
    return 2;
  }

  if (!outputs.gyr && !outputs.bmp && !outputs.frames && !outputs.report &&
      outputs.exports.empty())
    outputs.gyr = "-";
  if (outputs.frames) runFrameSearches(f);
  else Command1_Click(f);

  std::string failure;
  if (outputs.frames) failure = writeOutput(*outputs.frames, framesCsv(f), out);
  if (failure.empty() && outputs.gyr) failure = writeOutput(*outputs.gyr, dataFileText(f), out);
  if (failure.empty() && outputs.bmp) {
    const auto bytes = services.encodeBitmap(f.canvas);
    failure = bytes ? writeOutput(*outputs.bmp, *bytes, out)
                    : *outputs.bmp + ": the image could not be encoded";
  }
  for (const auto& [format, path] : outputs.exports) {
    if (!failure.empty()) break;
    const auto bytes = services.encodeExport(format, f.canvas, buildDrawing(f));
    failure = bytes ? writeOutput(path, *bytes, out) : path + ": the file could not be encoded";
  }
  if (failure.empty() && outputs.report)
    failure = writeOutput(*outputs.report, services.reportJson(*f.lastReport), out);
  if (!failure.empty()) {
    err << kProgram << ": " << failure << '\n';
    return 1;
  }
  return 0;
}

}  // namespace gyrenda
