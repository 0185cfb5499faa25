#include "synthesis/target_list.h"

#include <algorithm>
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
    } else if (line > 1 || row.find_first_of("0123456789") != std::string_view::npos) {
      list.points.clear();
      list.badLine = line;
      return list;
    }  // else a header
  }
  return list;
}

}  // namespace gyrenda
