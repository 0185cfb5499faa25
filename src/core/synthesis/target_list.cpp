#include "synthesis/target_list.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

#include "linkage/number_text.h"

namespace gyrenda {
namespace {

// The numbers of a line: fields split by blanks or by one comma or semicolon between two
// fields (with or without blanks around it); none when a field is not a number or a comma
// stands first or twice in a gap. One standing last is an empty last field: `emptyLast`.
std::optional<std::vector<float>> numbersOf(std::string_view line, bool& emptyLast) {
  std::vector<float> numbers;
  bool separated = false;  // a comma or semicolon since the last field
  std::size_t i = 0;
  while (i < line.size()) {
    const char ch = line[i];
    if (ch == ' ' || ch == '\t') {
      ++i;
    } else if (ch == ',' || ch == ';') {
      if (numbers.empty() || separated) return std::nullopt;
      separated = true;
      ++i;
    } else {
      const std::size_t end = std::min(line.find_first_of(" \t,;", i), line.size());
      const auto v = readWholeNumber(line.substr(i, end - i));
      if (!v) return std::nullopt;
      numbers.push_back(*v);
      separated = false;
      i = end;
    }
  }
  emptyLast = separated;
  return numbers;
}

// Whether `text` (UTF-8) holds a letter of the scripts a header is written in: Latin (with
// its accented and full-width forms), Greek, Cyrillic, kana, kanji, Hangul.
bool hasLetter(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const int length = byte < 0x80 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    char32_t code = length == 1 ? byte : byte & (0x7F >> length);
    for (int k = 1; k < length && i + k < text.size(); ++k)
      code = code << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += static_cast<std::size_t>(length);
    const auto within = [code](char32_t low, char32_t high) { return code >= low && code <= high; };
    if (within('A', 'Z') || within('a', 'z') ||
        (within(0xC0, 0x24F) && code != 0xD7 && code != 0xF7) || within(0x370, 0x52F) ||
        within(0x3041, 0x30FA) || within(0x3400, 0x9FFF) || within(0xAC00, 0xD7A3) ||
        within(0xFF21, 0xFF3A) || within(0xFF41, 0xFF5A) || within(0xFF66, 0xFF9F))
      return true;
  }
  return false;
}

// Whether every field of a line is written as a number, finite or not: "inf,inf" is a point
// whose numbers the reader refuses, not a header.
bool writtenAsNumbers(std::string_view line) {
  std::size_t fields = 0;
  for (std::size_t i = line.find_first_not_of(" \t,;"); i != std::string_view::npos;
       i = line.find_first_not_of(" \t,;", i)) {
    const std::size_t end = std::min(line.find_first_of(" \t,;", i), line.size());
    std::string_view field = line.substr(i, end - i);
    if (field.starts_with('+')) field.remove_prefix(1);
    double ignored = 0;
    const auto [stop, error] = std::from_chars(field.data(), field.data() + field.size(), ignored);
    if (stop == field.data() || (error != std::errc() && error != std::errc::result_out_of_range))
      return false;
    ++fields;
    i = end;
  }
  return fields > 0;
}

// A line that holds numbers: where it stands in the text (from 1), its numbers, and whether a
// last field was left empty.
struct NumberLine {
  int line;
  std::vector<float> numbers;
  bool emptyLast;
};

// The lines as numbers, blank lines and a header skipped; a line that is not numbers ends the
// list, its number into `badLine`.
std::vector<NumberLine> numberLines(std::string_view text, int& badLine) {
  std::vector<NumberLine> lines;
  std::size_t start = 0;
  for (int line = 1; start < text.size(); ++line) {
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    const std::string_view row = text.substr(start, end - start);
    start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    if (row.find_first_not_of(" \t") == std::string_view::npos) continue;
    bool emptyLast = false;
    if (auto numbers = numbersOf(row, emptyLast)) {
      lines.push_back({line, std::move(*numbers), emptyLast});
    } else if (line > 1 || !hasLetter(row) || writtenAsNumbers(row)) {
      badLine = line;
      break;
    }  // else a header
  }
  return lines;
}

}  // namespace

TargetList readTargetList(std::string_view input) {
  const std::string ascii = asciiForms(input);
  std::string_view text = ascii;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a spreadsheet's byte-order mark
  TargetList list;
  int badLine = 0;
  const std::vector<NumberLine> lines = numberLines(text, badLine);
  // The columns: the first line's where it has three (or two and an empty third), otherwise
  // the second's; the first line may leave the angle out.
  const auto columnsOf = [](const NumberLine& l) { return l.numbers.size() + (l.emptyLast ? 1 : 0); };
  const std::size_t columns = lines.empty()                           ? 2
                              : columnsOf(lines[0]) == 3 || lines.size() == 1 ? columnsOf(lines[0])
                                                                             : columnsOf(lines[1]);
  bool counted = columns == 3;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const NumberLine& l = lines[k];
    const bool fits = (columns == 2 || columns == 3) && !(k > 0 && l.emptyLast) &&
                      (l.numbers.size() == columns || (k == 0 && columns == 3 && l.numbers.size() == 2));
    if (!fits) {
      badLine = l.line;
      break;
    }
    counted = counted && l.numbers.size() == 3 && l.numbers[0] == static_cast<float>(k + 1);
  }
  if (badLine) {
    list.badLine = badLine;
    return list;
  }
  const double firstAngle = !lines.empty() && lines[0].numbers.size() == 3 ? lines[0].numbers[2] : 0;
  for (const NumberLine& l : lines) {
    const std::size_t x = columns == 3 && counted ? 1 : 0;
    list.points.push_back({l.numbers[x], l.numbers[x + 1]});
    if (columns == 3 && !counted)
      list.timing.push_back(l.numbers.size() == 3 ? l.numbers[2] - firstAngle : 0);
  }
  return list;
}

}  // namespace gyrenda
