// Every option of gyrenda-cli, declared once: its name, the form of its value, its help, the
// main option it belongs to and what it does. The parser, the help and the checks that come
// before a run all read this one table.
#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <array>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "cli/slider_cli.h"
#include "cli/gait_cli.h"
#include "cli/synthesis_cli.h"
#include "tolerance/tolerance_analysis.h"

namespace gyrenda {

class Workbench;

// What the options ask for beyond what they do to the design in the boxes.
struct CliRequest {
  // The files each output option names, in the order given ("-" for standard output).
  std::map<std::string, std::vector<std::string>, std::less<>> outputs;
  double rpm = 60;    // the crank speed of --kinematics, --report and --sheet
  double step = 0.5;  // the crank-angle step of --kinematics and --tolerance
  ToleranceOptions tolerance;
  bool sheetTolerance = false;  // the design sheet's page of the tolerance analysis
  bool sheetInJapanese = false;
  SynthesisRequest synthesis;
  SliderRequest slider;  // its seed and budget in `synthesis`
  GaitRequest gait;  // with the synthesis's bounds, budget and frame
  // The animated GIF beside what the controls give it (the six-bar, the speed).
  double gifStep = 5.0;  // degrees between frames
  int gifDelay = 0;      // hundredths of a second a frame stays; 0: one turn in about 3 s
  bool gifHalf = false, gifOnce = false;
  bool fit = false;  // the view fitted to the mechanism before anything is drawn
};

enum class OptionKind {
  Setting,         // acts on the design, the view or the request
  Input,           // names a file to read; a failure to read it is status 1
  Output,          // names a file to write, or "-"
  AnalysisOutput,  // an output drawn from an analysis, which --frames replaces
  Answer,          // --help and --version: answered at once
};

struct CliContext {
  Workbench& bench;
  CliRequest& request;
};

struct CliOption {
  const char* name;
  const char* value;  // the value's form in the help; nullptr for a switch
  const char* help;   // one paragraph, which the help wraps
  OptionKind kind = OptionKind::Setting;
  // Options of which one must be given too: a setting of an analysis that does not run would
  // be dropped without a word.
  std::array<const char*, 5> needs{};
  // Acts on the value; returns why the value is refused, or nothing. Outputs only note their
  // file, which the table's kind already says, so theirs is empty.
  std::string (*act)(const std::string& value, CliContext& context) = nullptr;
};

std::span<const CliOption> cliOptions();

QString nameOf(const CliOption& option);
// The table as Qt's parser takes it: an option with a value form takes a value.
QList<QCommandLineOption> parserOptions();

// The options that name an output, in the order their files are written.
std::vector<const CliOption*> outputOptions();

}  // namespace gyrenda
