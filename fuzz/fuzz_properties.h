// Properties that must hold of the program's state whatever input reached it.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "files/data_file.h"
#include "session/workbench.h"

namespace gyrenda::fuzz {

[[noreturn]] inline void fail(const char* what) {
  std::fprintf(stderr, "property violated: %s\n", what);
  std::abort();
}

inline void require(bool ok, const char* what) {
  if (!ok) fail(what);
}

// Parameters within range, bars within their ranges, lengths positive.
inline void checkParameters(const Workbench& b) {
  const ControlState& controls = b.controls();
  for (int k = 0; k < kParamCount; ++k) {
    const float v = b.linkage().parameters[k];
    require(std::isfinite(v) && v >= -kParamLimit && v <= kParamLimit, "parameter out of range");
    const auto& info = paramInfo()[k];
    const int bar = controls.spinValue[k];
    require(bar >= info.spinMin && bar <= info.spinMax, "bar out of range");
  }
  for (ParamName k : {crankRadius, leverRadius, couplerLength, sixLinkLength})
    require(b.linkage()[k] > 0.0f, "length not positive");
}

// A pass or a run that left its guard up would keep a moved spin bar from starting a pass of
// its own: the bar's value must still reach the parameters (an offset, which no pass repairs).
inline void checkSpinBarStillValidates(Workbench& b) {
  const int value = b.controls().spinValue[outputOffsetY] == 0 ? 1 : 0;
  b.setSpinBar(outputOffsetY, value);
  require(b.linkage()[outputOffsetY] == static_cast<float>(value),
          "validation pass or run left its guard set");
}

// Every table entry finite; result tables finite or the no-pose marker.
inline void checkTables(const Workbench& b) {
  const AngleTables& l = b.linkage().tables;
  const RunResult& r = b.result();
  const RunHits& h = r.hits;
  for (const AngleTable* t :
       {&l.crankTipX, &l.crankTipY, &l.leverX, &l.leverY, &l.couplerX, &l.couplerY, &l.sixLinkX,
        &l.sixLinkY, &r.outputX, &r.outputY, &r.leverTipX, &r.leverTipY, &r.sixAxisX, &r.sixAxisY,
        &r.sixOffsetX, &r.sixOffsetY, &h.axisX, &h.axisY, &h.leverTipX, &h.leverTipY, &h.sixAxisX,
        &h.sixAxisY, &h.sixOutputX, &h.sixOutputY, &h.sliderX, &h.sliderY})
    for (float v : *t) require(std::isfinite(v), "table entry not finite");
}

// A number field of the data file: [-] digits with at most one point, or an exponent form,
// never a leading 0 before the point, never a blank or a plus sign.
inline bool isFileNumber(const std::string& s) {
  if (s.empty()) return false;
  std::size_t i = s[0] == '-' ? 1 : 0;
  if (i >= s.size()) return false;
  if (s.compare(i, 2, "0.") == 0) return false;
  bool digits = false, point = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') digits = true;
    else if (c == '.' && !point) point = true;
    else if (c == 'E' && digits && i + 2 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
      for (std::size_t k = i + 2; k < s.size(); ++k)
        if (s[k] < '0' || s[k] > '9') return false;
      return true;
    } else return false;
  }
  return digits;
}

// The saved file: 723 CR LF lines, the header, 13 numbers, 721 rows of three numbers.
inline void checkDataFile(const Workbench& b) {
  const std::string text = dataFileText(b.linkage().parameters, b.result());
  std::size_t pos = 0;
  int line = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find("\r\n", pos);
    require(end != std::string::npos, "line without CR LF");
    const std::string content = text.substr(pos, end - pos);
    require(content.find('\n') == std::string::npos && content.find('\r') == std::string::npos,
            "stray line end");
    ++line;
    if (line == 1) {
      require(content == "\"Gyrenda\"", "bad header");
    } else {
      int fields = 0;
      std::size_t start = 0;
      for (;;) {
        const std::size_t comma = content.find(',', start);
        require(isFileNumber(content.substr(start, comma - start)), "bad number field");
        ++fields;
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
      require(fields == (line == 2 ? 13 : 3), "wrong field count");
    }
    pos = end + 2;
  }
  require(line == 723, "wrong line count");
}

}  // namespace gyrenda::fuzz
