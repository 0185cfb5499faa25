#include "synthesis/target_list.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

#include "linkage/number_text.h"

namespace gyrenda {
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

// A header names its columns: a line with a letter in it that is not a point written in words
// ("inf,inf" and "nan 3" are two fields that read as numbers, only not finite ones). A byte
// beyond ASCII counts as a letter unless it belongs to a full-width digit, sign, point or comma
// or an ideographic space, which an input method types for numbers.
bool isHeader(std::string_view line) {
  std::string_view rest = line;
  bool letter = false;
  while (!rest.empty() && !letter) {
    const auto c = static_cast<unsigned char>(rest.front());
    if (c < 0x80) {
      letter = std::isalpha(c) != 0;
      rest.remove_prefix(1);
    } else {
      // U+FF0B ... U+FF19 are EF BC 8B ... EF BC 99; U+3000 is E3 80 80.
      const bool numeric = (rest.starts_with("\xEF\xBC") && rest.size() > 2 &&
                            static_cast<unsigned char>(rest[2]) >= 0x8B &&
                            static_cast<unsigned char>(rest[2]) <= 0x99) ||
                           rest.starts_with("\xE3\x80\x80");
      letter = !numeric;
      rest.remove_prefix(numeric ? 3 : 1);
    }
  }
  if (!letter) return false;
  double ignored = 0;
  const auto number = [&](std::string_view field) {
    if (field.starts_with('+')) field.remove_prefix(1);
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), ignored);
    return end != field.data() && (ec == std::errc() || ec == std::errc::result_out_of_range);
  };
  std::size_t fields = 0, numbers = 0;
  for (std::size_t i = line.find_first_not_of(" \t,;"); i != std::string_view::npos;
       i = line.find_first_not_of(" \t,;", i)) {
    const std::size_t end = std::min(line.find_first_of(" \t,;", i), line.size());
    ++fields;
    numbers += number(line.substr(i, end - i));
    i = end;
  }
  return numbers < fields;
}

}  // namespace

TargetList readTargetList(std::string_view text) {
  TargetList list;
  std::size_t start = 0;
  for (int line = 1; start < text.size(); ++line) {
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    const std::string_view row = text.substr(start, end - start);
    start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    if (row.find_first_not_of(" \t") == std::string_view::npos) continue;
    if (const auto p = pointOf(row)) {
      list.points.push_back(*p);
    } else if (line > 1 || !isHeader(row)) {
      list.points.clear();
      list.badLine = line;
      return list;
    }  // else a header
  }
  return list;
}

}  // namespace gyrenda
