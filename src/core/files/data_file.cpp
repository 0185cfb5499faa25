#include "files/data_file.h"

#include "linkage/number_text.h"

namespace gyrenda {
namespace {

constexpr const char* kLineEnd = "\r\n";

std::string fileValue(float tableEntry) {
  return formatFileNumber(tableEntry == kNoPose ? 0.0f : tableEntry);
}

}  // namespace

std::string dataFileText(const ParameterSet& parameters, const RunResult& f) {
  std::string out;
  out.reserve(16 * 1024);
  out += "\"Gyrenda\"";
  out += kLineEnd;
  for (int k = 0; k < kParamCount; ++k) {
    if (k > 0) out += ',';
    out += formatFileNumber(parameters[k]);
  }
  out += kLineEnd;
  for (float a = 0.0f; a <= 360.0f; a += 0.5f) {
    const int i = angleIndex(a);
    out += formatFileNumber(a);
    out += ',';
    out += fileValue(f.outputX[i]);
    out += ',';
    out += fileValue(f.outputY[i]);
    out += kLineEnd;
  }
  return out;
}

std::string proposedFileName(const ParameterSet& parameters) {
  static constexpr const char* kPrefixes[6] = {"R", "_A", "_B", "_L", "_C", "_D"};
  std::string name;
  for (int k = 0; k < 6; ++k) {
    const float v = parameters[k];
    name += kPrefixes[k];
    if (!(v < 0.0f)) name += ' ';
    name += formatFileNumber(v);
  }
  return name;
}

}  // namespace gyrenda
