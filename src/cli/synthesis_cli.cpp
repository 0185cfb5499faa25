#include "cli/synthesis_cli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <condition_variable>
#include <cstring>
#include <iostream>
#include <mutex>
#include <thread>

#include "linkage/number_text.h"
#include "session/workbench.h"
#include "synthesis/path_objective.h"

namespace gyrenda {
namespace {

constexpr const char* kProgram = "gyrenda-cli";
constexpr std::size_t kTargetFileLimit = 1 << 20;  // far more than 12 points need

template <typename T>
std::optional<T> wholeNumber(const std::string& s, T least, T most) {
  T v{};
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc() || ptr != s.data() + s.size() || v < least || v > most)
    return std::nullopt;
  return v;
}

std::optional<double> realNumber(const std::string& s, double least, double most) {
  double v = 0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc() || ptr != s.data() + s.size() || !(v >= least && v <= most))
    return std::nullopt;
  return v;
}

QJsonObject pointJson(Vec2 p) { return {{"x", p.x}, {"y", p.y}}; }

QJsonArray numbersJson(const std::vector<double>& values) {
  QJsonArray a;
  for (const double v : values) a.append(v);
  return a;
}

QJsonObject candidateJson(const SynthesisCandidate& c, bool freeFrame) {
  QJsonObject parameters;
  for (const ParamName k : {crankRadius, leverRadius, couplerLength, fixedLinkLength,
                            outputOffsetX, outputOffsetY})
    // The box's text as a number, so that the value reads back as the same float.
    parameters.insert(QString::fromLatin1(paramInfo()[k].name.data(),
                                          static_cast<qsizetype>(paramInfo()[k].name.size())),
                      std::stod(formatBoxNumber(c.parameters[k])));
  QJsonObject o{{"parameters", parameters},
                {"maxDistance", c.maxDistance},
                {"rmsDistance", c.rmsDistance},
                {"distances", numbersJson(c.distances)},
                {"crankAngles", numbersJson(c.crankAngles)},
                {"class", linkageClassName(c.linkageClass)},
                {"minTransmissionAngle", c.minTransmissionAngle}};
  if (freeFrame) {
    o.insert("pivot", pointJson(c.pivot));
    o.insert("frameAngle", c.frameAngle);
    o.insert("toProgramFrame",
             QJsonObject{{"rotation", -c.frameAngle},
                         {"shift", pointJson(intoProgramFrame({}, c.pivot, c.frameAngle))}});
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
      {"seed", QString::number(options.seed)},
      {"stopped", result.problem == SynthesisProblem::Stopped},
      {"candidates", candidates}};
  return QJsonDocument(o).toJson(QJsonDocument::Indented).toStdString();
}

// The start of a regular file, or of standard input for "-"; opening never waits.
std::optional<std::string> readTargetsText(const std::string& path, std::string& reason) {
  std::string text(kTargetFileLimit, '\0');
  if (path == "-") {
    std::cin.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(std::cin.gcount()));
    return text;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    reason = std::strerror(errno);
    return std::nullopt;
  }
  struct stat st{};
  std::size_t size = 0;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    reason = "not a regular file";
  } else {
    while (size < text.size()) {
      const ssize_t n = ::read(fd, text.data() + size, text.size() - size);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) reason = std::strerror(errno);
      if (n <= 0) break;
      size += static_cast<std::size_t>(n);
    }
  }
  ::close(fd);
  if (!reason.empty()) return std::nullopt;
  text.resize(size);
  return text;
}

std::string problemInWords(SynthesisProblem p, const SynthesisOptions& o) {
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
      return "--synthesize: two targets are the same point";
    case SynthesisProblem::OutOfReach:
      return "--synthesize: a target lies further than any linkage within the bounds reaches";
    case SynthesisProblem::NoLinkage:
      return "--synthesize: no linkage within the bounds meets the constraints (a smaller "
             "--min-transmission or wider --bound may help)";
    case SynthesisProblem::BadBudget:
      return "--candidates, --starts and --evaluations take counts above 0";
    case SynthesisProblem::None:
    case SynthesisProblem::Stopped: break;
  }
  return {};
}

// Sets progress.stop once `seconds` have passed, unless the synthesis ends first.
class TimeLimit {
 public:
  TimeLimit(double seconds, SynthesisProgress& progress) {
    if (seconds > 0)
      thread_ = std::jthread([this, seconds, &progress](std::stop_token ending) {
        std::unique_lock lock(mutex_);
        if (!wake_.wait_for(lock, ending, std::chrono::duration<double>(seconds),
                            [] { return false; }))
          progress.stop = true;
      });
  }

 private:
  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::jthread thread_;  // last: requested to stop and joined first
};

}  // namespace

bool takeSynthesisOption(const std::string& name, const std::string& value,
                         SynthesisRequest& r, std::string& error) {
  SynthesisOptions& o = r.options;
  if (name == "synthesize") {
    r.targetsPath = value;
  } else if (name == "ordered" || name == "keep-order") {
    o.keepOrder = true;
  } else if (name == "free-frame") {
    o.freeFrame = true;
  } else if (name == "apply-best") {
    r.applyBest = true;
  } else if (name == "min-transmission") {
    const auto v = realNumber(value, 0, 90);
    if (!v || *v >= 90) error = "--min-transmission takes degrees from 0 to below 90, got '" + value + "'";
    else o.minTransmissionAngle = *v;
  } else if (name == "candidates") {
    const auto v = wholeNumber(value, 1, 100);
    if (!v) error = "--candidates takes a count from 1 to 100, got '" + value + "'";
    else o.candidates = *v;
  } else if (name == "starts") {
    const auto v = wholeNumber(value, 1, 100000);
    if (!v) error = "--starts takes a count from 1 to 100000, got '" + value + "'";
    else o.starts = *v;
  } else if (name == "evaluations") {
    const auto v = wholeNumber(value, 100, 10000000);
    if (!v) error = "--evaluations takes a count from 100 to 10000000, got '" + value + "'";
    else o.evaluationsPerStart = *v;
  } else if (name == "time-limit") {
    const auto v = realNumber(value, 0.001, 1e6);
    if (!v) error = "--time-limit takes seconds from 0.001 to 1000000, got '" + value + "'";
    else r.timeLimit = *v;
  } else if (name == "bound") {
    // NAME=LOW:HIGH for one of the four-bar's six values.
    const auto eq = value.find('='), colon = value.find(':', eq == std::string::npos ? 0 : eq);
    const int k = eq == std::string::npos ? -1 : findParam(value.substr(0, eq)).value_or(-1);
    const auto low = colon == std::string::npos
                         ? std::nullopt
                         : realNumber(value.substr(eq + 1, colon - eq - 1), -kParamLimit, kParamLimit);
    const auto high = colon == std::string::npos
                          ? std::nullopt
                          : realNumber(value.substr(colon + 1), -kParamLimit, kParamLimit);
    if (k < 0 || k > outputOffsetY || !low || !high || *low > *high) {
      error = "--bound takes NAME=LOW:HIGH with NAME one of crankRadius, leverRadius, "
              "couplerLength, fixedLinkLength, outputOffsetX, outputOffsetY and LOW <= HIGH "
              "within -30000 ... 30000, got '" + value + "'";
    } else {
      LengthRange* ranges[] = {&o.crank,     &o.lever,       &o.coupler,
                               &o.fixedLink, &o.outputAlong, &o.outputAcross};
      *ranges[k] = {*low, *high};
    }
  } else if (name == "seed") {
    if (const auto v = wholeNumber<std::uint64_t>(value, 0, UINT64_MAX)) o.seed = *v;
    return false;
  } else {
    return false;
  }
  return true;
}

namespace {

// The two numbers of a line: two fields, split by blanks or one comma or semicolon (with or
// without blanks around it); none for anything else.
std::optional<Vec2> pointOf(std::string_view line) {
  std::vector<std::string_view> fields;
  int hard = 0;  // commas and semicolons, each allowed only between the two fields
  std::size_t i = 0;
  while (i < line.size()) {
    const char ch = line[i];
    if (ch == ' ' || ch == '\t') {
      ++i;
    } else if (ch == ',' || ch == ';') {
      if (fields.size() != 1 || ++hard > 1) return std::nullopt;
      ++i;
    } else {
      const std::size_t end = std::min(line.find_first_of(" \t,;", i), line.size());
      fields.push_back(line.substr(i, end - i));
      i = end;
    }
  }
  if (fields.size() != 2) return std::nullopt;
  const auto x = readWholeNumber(fields[0]), y = readWholeNumber(fields[1]);
  if (!x || !y) return std::nullopt;
  return Vec2{*x, *y};
}

}  // namespace

TargetList readTargetList(const std::string& text) {
  TargetList list;
  std::size_t start = 0;
  for (int line = 1; start < text.size(); ++line) {
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    const std::string_view row = std::string_view(text).substr(start, end - start);
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    if (row.find_first_not_of(" \t") == std::string_view::npos) continue;
    if (const auto p = pointOf(row)) {
      list.points.push_back(*p);
    } else if (line > 1 || row.find_first_of("0123456789") != std::string_view::npos) {
      list.points.clear();
      list.badLine = line;
      return list;
    }  // else a header
  }
  return list;
}

int runSynthesis(const SynthesisRequest& request, Workbench& bench, std::ostream& out,
                 std::ostream& err) {
  const std::string& path = *request.targetsPath;
  std::string reason;
  const std::optional<std::string> text = readTargetsText(path, reason);
  if (!text) {
    err << kProgram << ": " << path << ": " << reason << '\n';
    return 1;
  }
  const TargetList list = readTargetList(*text);
  if (list.badLine) {
    err << kProgram << ": " << path << ": line " << list.badLine
        << " is not a point (x and y, two numbers)\n";
    return 2;
  }
  SynthesisOptions options = request.options;
  options.targets = list.points;
  SynthesisProgress progress;
  SynthesisResult result;
  {
    TimeLimit limit(request.timeLimit, progress);
    result = synthesizePath(options, bench.linkage().parameters, progress);
  }
  if (result.problem != SynthesisProblem::None && result.problem != SynthesisProblem::Stopped) {
    err << kProgram << ": " << problemInWords(result.problem, options) << '\n';
    return 2;
  }
  if (result.candidates.empty()) {
    err << kProgram << ": --synthesize: no linkage found within the time limit\n";
    return 1;
  }
  out << synthesisJson(result, options);
  out.flush();
  if (result.problem == SynthesisProblem::Stopped)
    err << kProgram << ": note: the search was stopped at the time limit\n";
  // Into the boxes as a loaded design goes: all at once, then a pass for each (one box at a
  // time, a crank typed before its longer lever would be cut to the old lever).
  if (request.applyBest) bench.applyDesign(result.candidates.front().parameters);
  return 0;
}

}  // namespace gyrenda
