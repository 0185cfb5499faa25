// Number text: how the program reads numbers typed by the user and how it writes them back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gyrenda {

// Reads the longest numeric prefix of `text`, ignoring blanks anywhere: optional sign,
// digits, one "." and an optional exponent. "." is the decimal point whatever the locale.
// The text is UTF-8; full-width digits, signs, point and exponent letter (as a Japanese input
// method types them) and the minus sign U+2212 read as their ASCII forms. A text without a
// number reads as 0. The value is rounded once, straight to single precision. The result is
// always finite: a magnitude beyond single precision becomes the largest single-precision
// value of that sign, one too small for it becomes 0.
float readNumber(std::string_view text);

// `text` (UTF-8) with what a Japanese input method types for a number or a list of numbers in
// ASCII: the full-width digits, signs, point, exponent letter, comma and semicolon and the
// minus sign U+2212 as their ASCII forms, the ideographic space as a blank; every other byte
// unchanged. readNumber reads through it.
std::string asciiForms(std::string_view text);

// The same number as readNumber, rounded the same way, from a text that is an ASCII number and
// nothing else: [sign] digits [. digits] [e [sign] digits], one sign at most, no blank. Empty
// for any other text (NaN and infinity included), as the data file's fields are read.
std::optional<float> readWholeNumber(std::string_view text);

// As the entry boxes and labels show a single-precision value: at most seven significant
// digits, no leading blank, a 0 before the point below 1 ("0.5", "-0.5", "19.5", "31").
std::string formatBoxNumber(float value);

// As the numeric data file writes a value: as formatBoxNumber, but without the 0 before
// the decimal point (".5", "-.25").
std::string formatFileNumber(float value);

}  // namespace gyrenda
