// The headless program's options, outputs and errors (its saves meet the save targets with the
// core's save function and the save command).
#include <gtest/gtest.h>

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fcntl.h>
#include <unistd.h>
#include <map>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "canvas/palette.h"
#include "core/test_support.h"
#include "encoders/canvas_image.h"
#include "files/data_file.h"
#include "files/drawing.h"

namespace gyrenda {
namespace {

using test::Args;
constexpr auto run = test::runProgram;
std::string out(const Args& args) { return std::get<1>(run(args)); }

// A little-endian 32-bit field of a file.
std::int32_t field(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t k = 4; k-- > 0;) v = v << 8 | static_cast<unsigned char>(bytes.at(at + k));
  return static_cast<std::int32_t>(v);
}

// Each option acts as its control in the window; --set is one validation pass, in order.
TEST(Cli, WritesTheAnalysisToStandardOutputAndOptionsActInTheOrderGiven) {
  test::OpenWindow w;
  w.bench.execute();
  const std::string analysed = dataFileText(w.bench.linkage().parameters, w.bench.result());
  EXPECT_EQ(run({}), std::tuple(0, analysed, ""));
  // A bitmap file whose header states the length it has (its pixels: below).
  const auto [status, bmp, err] = run({"--bmp", "-"});
  EXPECT_EQ(std::tuple(status, bmp.substr(0, 2), err), std::tuple(0, "BM", ""));
  EXPECT_EQ(field(bmp, 2), static_cast<std::int32_t>(bmp.size()));
  const struct { Args args, other; bool same; } cases[] = {
      {{"--gyr", "-"}, {}, true}, {{"--set", "crankRadius=20"}, {"--set", "0=20"}, true},
      {{"--set", "fixedLinkLength=10"}, {"--set", "3=19"}, true},
      {{"--set", "0=30", "--no-optimise-four"}, {"--set", "0=30"}, false},
      {{"--pan", "-60,100"}, {"--pan", "-60,-140"}, false}, {{"--zoom", "2"}, {}, false},
      {{"--pan", "100,-140"}, {"--zoom", "3"}, false}, {{"--speed", "uma"}, {}, false},
      {{"--kinematics", "-", "--rpm", "60", "--step", "0.5"}, {"--kinematics", "-"}, true}};
  for (const auto& c : cases) EXPECT_EQ(out(c.args) == out(c.other), c.same) << c.args[1];
  EXPECT_EQ(test::splitLines(out({"--set", "9=150", "--set", "slideEndX=150"}), "\r\n").at(1),
            "18,36,36,31,72,0,50,100,30,150,55,151,55");
  // A failed output ends the writing; the message says what was written and what was not.
  const std::string no = "/nonexistent-dir/";
  const auto [failed, written, why] =
      run({"--svg", no + "x.svg", "--gyr", "-", "--bmp", no + "x.bmp"});
  EXPECT_EQ(std::tuple(failed, written == analysed, why),
            std::tuple(1, true, "gyrenda-cli: " + no + "x.bmp: the folder does not exist; "
                                "written: --gyr -; not written: --svg " + no + "x.svg\n"));
}

// Qt's own texts lose their full stop before the hint. Outputs that cannot be written as asked
// are refused before anything runs: an empty name, one file or standard output for two
// outputs, an output of the analysis that --frames replaces; so is a setting of an analysis
// that is not asked for. A file that cannot be read is no usage error (1, not 2).
TEST(Cli, BadOptionsGiveOneLineOnStandardErrorAndNothingElse) {
  for (const Args& args : std::vector<Args>{
           {"--bogus"}, {"--speed", "x"}, {"--gyr"}, {"--zoom", "5"}, {"--zoom", "3x"},
           {"--pan", "400,0"}, {"--pan", "0,-301"}, {"--pan", "0"}, {"--pan", "0,5x"},
           {"--pan", "0x,5"}, {"--set", "nosuch=1"}, {"--set", "13=1"}, {"--set", "0x=1"},
           {"--set", "crankRadius"}, {"--gyr", "-", "--bogus"}, {"design.GYR"}, {"-x"},
           {"--load", "/nonexistent-dir/design.GYR"}, {"--frames", "-", "--report", "r.json"},
           {"--png"}, {"--report", "-", "--rpm", "5x"}, {"--report", "-", "--rpm", "0"},
           {"--kinematics", "-", "--step", "360.5"}, {"--gyr", ""},
           {"--six", "--frames", "-", "--svg", "/nonexistent-dir/x.svg"},
           {"--gyr", "-", "--report", "-"}, {"--kinematics", "-", "--step", "0"},
           {"--kinematics", "-", "--step", "nan"}, {"--kinematics", "-", "--rpm", "fast"},
           {"--gyr", "/nonexistent-dir/x", "--bmp", "/nonexistent-dir/./x"},
           {"--rpm", "60"}, {"--report", "-", "--step", "90"}, {"--gyr", "-", "--seed", "2"}}) {
    const auto [status, written, err] = run(args);
    EXPECT_TRUE(status == (args[0] == "--load" ? 1 : 2) && written.empty() &&
                std::ranges::count(err, '\n') == 1 && err.find(". (") == std::string::npos)
        << err;
  }
}
// The help names every option of the table, each once, in lines a terminal shows whole.
TEST(Cli, HelpListsEveryOptionInLinesOfAtMost79Characters) {
  const std::string help = cliUsage();
  for (const std::string& line : test::splitLines(help, "\n")) EXPECT_LE(line.size(), 79u) << line;
  for (const CliOption& o : cliOptions())
    EXPECT_NE(help.find(std::string("  --") + o.name + (o.value ? " " : "")), std::string::npos)
        << o.name;
}


// A length far below its offset (1e-38 against 50) once overflowed the output point's factor
// into poses that were not finite, written as "-nan" and "inf" and counted without a place.
TEST(Cli, DegenerateLengthsWriteOnlyFiniteNumbersAndPlaceEveryPoseCounted) {
  const Args designs[] = {{"--six", "--set", "sixLinkLength=1e-38"},
                          {"--speed", "kame", "--set", "crankRadius=1e-38", "--set",
                           "couplerLength=1e-38", "--set", "fixedLinkLength=35.9"}};
  for (const Args& design : designs)
    for (const char* output : {"--gyr", "--svg", "--dxf", "--frames", "--report"}) {
      Args args = design;
      args.insert(args.end(), {output, "-"});
      auto [status, written, err] = run(args);
      SCOPED_TRACE(testing::Message() << design.back() << " " << output << " " << err);
      // JSON has no text for them: a number that is not finite is written as null.
      const QJsonObject report =
          QJsonDocument::fromJson(QByteArray::fromStdString(written)).object();
      std::ranges::transform(written, written.begin(), [](char c) { return std::tolower(c); });
      EXPECT_TRUE(status == 0 && (!report.isEmpty() || (written.find("nan") == std::string::npos &&
                                                        written.find("inf") == std::string::npos)));
      for (const char* search : {"fourBar", "sixBar"})
        EXPECT_TRUE(report[search]["posesFound"].toInt() == 0 ||
                    report[search]["outputPath"]["width"].isDouble()) << search;
    }
}

// An output option given twice writes both files; two names of one file are refused before
// anything is written, whatever the name: a link to a file not made yet, or a file that
// standard output was sent to. --step shapes the curves only, never the report's figures.
TEST(Cli, RepeatedOutputsWriteEveryFileAndNamesOfOneFileAreRefused) {
  const test::TempFolder folder;
  const auto file = [&](const char* name) { return folder.file(name); };
  EXPECT_EQ(std::get<0>(run({"--gyr", file("a.GYR"), "--gyr", file("b.GYR"), "--report",
                             file("a.json"), "--report", file("b.json")})), 0);
  for (const auto& [a, b] : {std::pair("a.GYR", "b.GYR"), std::pair("a.json", "b.json")}) {
    const std::string written = test::readFile(file(a));
    EXPECT_TRUE(!written.empty() && written == test::readFile(file(b))) << a;
  }
  std::filesystem::create_symlink("target.out", file("link.out"));
  const int sent = ::open(file("sent.out").c_str(), O_WRONLY | O_CREAT, 0644);
  std::filesystem::create_hard_link(file("sent.out"), file("hard.out"));
  const struct { Args args; int standardOutput; } aliases[] = {
      {{"--kinematics", file("link.out"), "--report", file("target.out")}, -1},
      {{"--gyr", file("target.out"), "--bmp", file("link.out")}, -1},
      {{"--report", "-", "--kinematics", file("sent.out")}, sent},
      {{"--kinematics", file("hard.out"), "--gyr", "-"}, sent}};
  for (const auto& alias : aliases) {
    const auto [status, written, err] = test::runProgramWith(alias.args, {-1, alias.standardOutput});
    EXPECT_EQ(std::tuple(status, written), std::tuple(2, "")) << alias.args[1];
    EXPECT_NE(err.find("each output needs a file of its own"), std::string::npos) << err;
  }
  ::close(sent);
  EXPECT_FALSE(std::filesystem::exists(file("target.out")));
  EXPECT_EQ(test::readFile(file("sent.out")), "");
  EXPECT_EQ(out({"--six", "--report", "-", "--kinematics", file("k.csv"), "--step", "90"}),
            out({"--six", "--report", "-"}));
}

// A coordinate as the SVG checks compare it: the float it reads as, in full.
QString coordinate(float v) { return " " + QString::number(v, 'g', 9); }

// An SVG file's view box and its groups by id, each element in a group as its name, a polyline
// as its stroke colour and coordinates.
std::map<QString, QStringList> readSvg(const std::string& bytes, QString& viewBox) {
  std::map<QString, QStringList> groups;
  QXmlStreamReader xml(QByteArray::fromStdString(bytes));
  QString id;
  while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
    if (!xml.isStartElement()) continue;
    const auto a = xml.attributes();
    QString element = xml.name().toString();
    if (element == "svg") viewBox = a.value("viewBox").toString();
    if (element == "polyline") {
      element = a.value("stroke").toString();
      for (const QString& n : a.value("points").toString().split(QRegularExpression("[ ,]")))
        element += coordinate(n.toFloat());
    }
    if (element == "g") groups[id = a.value("id").toString()];
    else groups[id] << element;
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return groups;
}

// The exports of a six-bar run, read back by Qt's own readers: the bitmap (at 96 dpi: 3780
// pixels per metre) and the PNG (indexed) have the canvas's pixels in the palette's colours,
// and the SVG one group per layer holding the drawing of the run, in world units with y turned
// up. (The window saves the same bytes: file_services_test; the DXF read back by ezdxf:
// dxf_export_test.py.)
TEST(Cli, ExportsReadBackAsTheRun) {
  test::OpenWindow w;
  w.bench.controls().analyseSixBar = 1;
  w.bench.execute();
  const auto read = [](const char* option) {
    return QImage::fromData(QByteArray::fromStdString(out({"--six", option, "-"})));
  };
  const auto rgb = [](const QImage& i) { return i.convertToFormat(QImage::Format_RGB32); };
  const QImage bmp = read("--bmp"), png = read("--png"), canvas = rgb(canvasImage(w.bench.canvas()));
  EXPECT_EQ(std::tuple(bmp.dotsPerMeterX(), bmp.dotsPerMeterY(), png.format()),
            std::tuple(3780, 3780, QImage::Format_Indexed8));
  EXPECT_TRUE(rgb(bmp) == canvas && rgb(png) == canvas);

  const Drawing d = buildDrawing(w.bench.linkage(), w.bench.view(), w.bench.result());
  const Bounds b = extent(d);
  const std::string svg = out({"--six", "--svg", "-"});
  QString viewBox;
  const auto groups = readSvg(svg, viewBox);
  EXPECT_EQ(viewBox, QString("%1 %2 %3 %4").arg(b.left).arg(-b.top).arg(b.right - b.left)
                        .arg(b.top - b.bottom));
  ASSERT_EQ(groups.size(), kLayerNames.size() + 1);  // and the one that turns y up
  const QString leverArc = R"(d="M 67 0 A 36 36 0 0 1 -5 )";  // counterclockwise, y up
  EXPECT_TRUE(QString::fromStdString(svg).contains(leverArc));
  for (std::string_view name : kLayerNames) {
    QStringList expected;
    for (const DrawingItem& item : d.items) {
      if (layerName(item.layer) != name) continue;
      const Rgb c = kPalette[item.colour];
      const auto* p = std::get_if<Polyline>(&item.shape);
      expected << (p ? QString::asprintf("#%02x%02x%02x", c.r, c.g, c.b)
                     : QStringList{"circle", "path", "line", "circle"}.at(item.shape.index()));
      for (const WorldPoint& v : p ? p->vertices : std::vector<WorldPoint>{})
        expected.back() += coordinate(v.x) + coordinate(v.y);
    }
    EXPECT_EQ(groups.at(QString::fromUtf8(name)), expected) << std::string(name);
  }
}

TEST(Cli, FramesWritesAHeaderAndOneCsvRowPerHalfDegree) {
  for (const Args& args : {Args{"--frames", "-"}, Args{"--six", "--frames", "-"}}) {
    const auto lines = test::splitLines(out(args), "\n");
    ASSERT_EQ(lines.size(), 722u);
    EXPECT_EQ(lines[0] + lines[721].substr(0, 4),
              "crankAngle,leverTipX,leverTipY,outputX,outputY,sixAxisX,sixAxisY,sixOffsetX,"
              "sixOffsetY360,");
    const auto missing = [](const auto& line) { return line.ends_with(",9999,9999,9999,9999"); };
    EXPECT_EQ(std::ranges::all_of(lines.begin() + 1, lines.end(), missing), args.size() == 2);
  }
}

// Poses missed because the view cut them off are noted on standard error, with the view, and
// the report counts them; --fit (after --pan) holds the whole mechanism, the six-bar with it;
// a mechanism no view holds is noted with its shortfall. None of it changes the exit status.
TEST(Cli, FitHoldsTheWholeMechanismAndPosesOutOfViewAreNoted) {
  const auto unseen = [](const std::string& json, const char* search) {
    const QJsonObject report = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    return std::pair(report[search]["posesFound"].toInt(), report[search]["posesOutOfView"].toInt());
  };
  const Args panned{"--pan", "30,-140", "--speed", "kame", "--six", "--report", "-"};
  const auto [status, json, err] = run(panned);
  const auto [found, out] = unseen(json, "fourBar");
  EXPECT_EQ(std::pair(status, found + out), std::pair(0, kAngleSteps));
  EXPECT_GT(out, 300);
  EXPECT_EQ(err, "gyrenda-cli: note: " + std::to_string(out) + " four-bar and " +
                     std::to_string(unseen(json, "sixBar").second) +
                     " six-bar poses lie outside the view (zoom 3, pan 30,-140) and were not "
                     "found; --fit shows the whole mechanism\n");
  Args fitted = panned;
  fitted.push_back("--fit");
  const auto [fitStatus, fitJson, fitErr] = run(fitted);
  EXPECT_EQ(std::tuple(fitStatus, unseen(fitJson, "fourBar"), unseen(fitJson, "sixBar").second,
                       fitErr),
            std::tuple(0, std::pair(kAngleSteps, 0), 0, ""));

  const auto [large, nothing, note] =
      run({"--set", "crankRadius=40", "--set", "leverRadius=300", "--set", "couplerLength=320",
           "--set", "fixedLinkLength=330", "--fit", "--gyr", "/dev/null"});
  EXPECT_EQ(large, 0);
  EXPECT_TRUE(note.starts_with("gyrenda-cli: note: --fit: no view holds the whole mechanism; it "
                               "reaches 270 mm beyond the farthest view\n"))
      << note;
}

}  // namespace
}  // namespace gyrenda
