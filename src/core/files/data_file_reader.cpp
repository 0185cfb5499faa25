#include "files/data_file_reader.h"

#include <cfloat>
#include <cmath>
#include <string>
#include <string_view>

#include "linkage/number_text.h"

namespace gyrenda {
namespace {

// No field of a sound file comes near this; a longer one ends the read.
constexpr std::size_t kMaxFieldLength = 256;
// Blank lines skipped between fields, at most.
constexpr int kMaxBlankLines = 1000;

enum class FieldEnd { Comma, LineEnd, EndOfFile };

struct Field {
  std::string text;
  FieldEnd end;
  bool quoted = false;
};

bool isBlank(int c) { return c == ' ' || c == '\t'; }

// Skips the blanks starting at c; a run longer than any field ends the read, so that a file
// of blanks is not read to its end.
bool skipBlanks(std::istream& in, int& c) {
  for (std::size_t n = 0; isBlank(c); ++n) {
    if (n >= kMaxFieldLength) return false;
    c = in.get();
  }
  return true;
}

// One field: blanks around it dropped, a quoted field taken up to its closing quote.
std::optional<Field> readField(std::istream& in) {
  Field field;
  int c = in.get();
  if (!skipBlanks(in, c)) return std::nullopt;
  if (c == '"') {
    field.quoted = true;
    for (c = in.get(); c != '"'; c = in.get()) {
      if (c == EOF || c == '\r' || c == '\n' || field.text.size() >= kMaxFieldLength)
        return std::nullopt;
      field.text.push_back(static_cast<char>(c));
    }
    c = in.get();
    if (!skipBlanks(in, c)) return std::nullopt;
  } else {
    while (c != EOF && c != ',' && c != '\r' && c != '\n') {
      if (field.text.size() >= kMaxFieldLength) return std::nullopt;
      field.text.push_back(static_cast<char>(c));
      c = in.get();
    }
    while (!field.text.empty() && isBlank(static_cast<unsigned char>(field.text.back())))
      field.text.pop_back();
  }
  if (c == ',') field.end = FieldEnd::Comma;
  else if (c == EOF) field.end = FieldEnd::EndOfFile;
  else if (c == '\r' || c == '\n') {
    field.end = FieldEnd::LineEnd;
    if (c == '\r' && in.peek() == '\n') in.get();
  } else {
    return std::nullopt;  // text after a closing quote
  }
  return field;
}

// A whole field as a number, read as a box reads it (rounded once, straight to single
// precision) but refused unless it is a number and nothing else. An underflow reads as 0 and an
// overflow, which the box reader makes the largest float, as the nearest end of the parameter
// range.
std::optional<float> fieldNumber(const std::string& text) {
  const std::optional<float> v = readWholeNumber(text);
  if (v && std::fabs(*v) == FLT_MAX) return std::copysign(kParamLimit, *v);
  return v;
}

}  // namespace

std::optional<ParameterSet> readDataFileParams(std::istream& in) {
  // Some editors put a UTF-8 byte-order mark before the text.
  if (in.peek() == 0xEF) {
    char mark[3] = {};
    if (!in.read(mark, 3) || std::string_view(mark, 3) != "\xEF\xBB\xBF") return std::nullopt;
  }
  const auto header = readField(in);
  if (!header || header->text != "Gyrenda") return std::nullopt;

  ParameterSet values{};
  bool atLineStart = header->end == FieldEnd::LineEnd;
  int blankLines = 0;
  for (int k = 0; k < kParamCount;) {
    const auto field = readField(in);
    if (!field) return std::nullopt;
    if (field->text.empty() && !field->quoted && atLineStart && field->end == FieldEnd::LineEnd) {
      if (++blankLines > kMaxBlankLines) return std::nullopt;
      continue;  // a blank line between records
    }
    const auto value = field->quoted ? std::nullopt : fieldNumber(field->text);
    if (!value) return std::nullopt;
    values[k++] = *value;
    if (k < kParamCount && field->end == FieldEnd::EndOfFile) return std::nullopt;
    atLineStart = field->end == FieldEnd::LineEnd;
  }
  return values;
}

}  // namespace gyrenda
