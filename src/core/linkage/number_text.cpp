#include "linkage/number_text.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <system_error>

namespace gyrenda {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

// A Japanese input method types digits, signs, the point, the exponent letter and the
// separators of a list in their full-width forms, and a minus sometimes as U+2212.
std::string asciiForms(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    if (i + 2 < text.size() && b(0) == 0xEF && (b(1) == 0xBC || b(1) == 0xBD)) {
      // U+FF01 ... U+FF5E are the full-width forms of ASCII 0x21 ... 0x7E, in the same order.
      const unsigned code = (b(1) - 0xBC) * 64u + (b(2) - 0x80u) + 0x20u;
      if ((code >= '0' && code <= '9') || code == '+' || code == '-' || code == '.' ||
          code == 'e' || code == 'E' || code == ',' || code == ';') {
        out.push_back(static_cast<char>(code));
        i += 2;
        continue;
      }
    }
    if (i + 2 < text.size() && b(0) == 0xE2 && b(1) == 0x88 && b(2) == 0x92) {  // U+2212
      out.push_back('-');
      i += 2;
      continue;
    }
    if (i + 2 < text.size() && b(0) == 0xE3 && b(1) == 0x80 && b(2) == 0x80) {  // U+3000
      out.push_back(' ');
      i += 2;
      continue;
    }
    out.push_back(text[i]);
  }
  return out;
}

namespace {

// Gathers the numeric prefix without blanks into `out`: [sign] digits [. digits] [e [sign] digits].
// An exponent is taken only when at least one digit follows it. Returns how much of `text` the
// prefix took.
std::size_t takeNumericPrefix(std::string_view text, std::string& out) {
  std::size_t i = 0;
  auto next = [&]() -> char {
    while (i < text.size() && isBlank(text[i])) ++i;
    return i < text.size() ? text[i] : '\0';
  };
  char c = next();
  if (c == '+' || c == '-') {
    if (c == '-') out.push_back('-');
    ++i;
    c = next();
  }
  bool digits = false;
  while (isDigit(c)) { out.push_back(c); digits = true; ++i; c = next(); }
  if (c == '.') {
    out.push_back('.');
    ++i;
    c = next();
    while (isDigit(c)) { out.push_back(c); digits = true; ++i; c = next(); }
  }
  if (!digits) {
    out.clear();
    return 0;
  }
  if (c == 'e' || c == 'E') {
    const std::size_t mark = out.size();
    const std::size_t resume = i;
    out.push_back('e');
    ++i;
    c = next();
    if (c == '+' || c == '-') { out.push_back(c); ++i; c = next(); }
    bool expDigits = false;
    while (isDigit(c)) { out.push_back(c); expDigits = true; ++i; c = next(); }
    if (!expDigits) { out.resize(mark); i = resume; }
  }
  return i;
}

std::string trimmedGeneral(float value) {
  if (value == 0.0f) return "0";  // also turns -0 into 0
  // As printf's "%.7G" writes it in the C locale, whatever locale the program runs in (a
  // decimal comma would break every box and file): two exponent digits at least ("1E+07"),
  // no trailing zeros, no point after an integral value.
  char buf[48];
  const auto end = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                                 std::chars_format::general, 7).ptr;
  std::string s(buf, end);
  std::ranges::transform(s, s.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; });
  return s;
}

// Whether a number too far out of range for a double is far too small rather than far too
// large: the decimal order of its first significant digit plus its exponent is negative.
// Both a leading run of zeros ("0.000…1") and a negative exponent can make it so.
bool underflows(std::string_view number) {
  const std::size_t e = std::min(number.find('e'), number.size());
  const std::string_view mantissa = number.substr(0, e);
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return true;
  long long order = first < point ? static_cast<long long>(point - first) - 1
                                  : -static_cast<long long>(first - point);
  long long exponent = 0;
  bool exponentNegative = false;
  for (std::size_t i = e + 1; i < number.size(); ++i) {
    if (number[i] == '-') exponentNegative = true;
    else if (isDigit(number[i]) && exponent < 1000000000)
      exponent = exponent * 10 + (number[i] - '0');
  }
  order += exponentNegative ? -exponent : exponent;
  return order < 0;
}

// The value of a numeric prefix as takeNumericPrefix gives it.
float valueOf(const std::string& prefix) {
  if (prefix.empty()) return 0.0f;
  const char* first = prefix.data();
  const char* last = prefix.data() + prefix.size();
  const bool negative = *first == '-';
  // Straight to single precision, rounded once: through a double first, a value just above
  // half-way between two floats could round twice and land on the lower one.
  float value = 0.0f;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    if (underflows(prefix)) return negative ? -0.0f : 0.0f;
    return negative ? -FLT_MAX : FLT_MAX;
  }
  if (ec != std::errc()) return 0.0f;
  if (!std::isfinite(value)) return negative ? -FLT_MAX : FLT_MAX;
  return value;
}

}  // namespace

float readNumber(std::string_view text) {
  std::string prefix;
  takeNumericPrefix(asciiForms(text), prefix);
  return valueOf(prefix);
}

std::optional<float> readWholeNumber(std::string_view text) {
  // Blanks are no part of a number here, though the prefix passes over them.
  if (text.find_first_of(" \t\r\n") != std::string_view::npos) return std::nullopt;
  std::string prefix;
  if (takeNumericPrefix(text, prefix) != text.size() || prefix.empty()) return std::nullopt;
  return valueOf(prefix);
}

std::string formatBoxNumber(float value) {
  if (!std::isfinite(value)) return "0";
  return trimmedGeneral(value);
}

std::string formatFileNumber(float value) {
  std::string s = formatBoxNumber(value);
  if (s.rfind("0.", 0) == 0) s.erase(0, 1);
  else if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
  return s;
}

}  // namespace gyrenda
