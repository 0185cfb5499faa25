#include <gtest/gtest.h>

#include <cfloat>
#include <string>

#include "linkage/number_text.h"

namespace gyrenda {
namespace {

using namespace std::string_literals;

TEST(NumberReader, ReadsTheNumericPrefixIgnoringBlanksInAsciiOrFullWidthAndStaysFinite) {
  const std::string zeros(400, '0'), nines(9999, '9');
  const struct { std::string text; float value; } cases[] = {
      {"1 2", 12},     {" 1 . 5 ", 1.5f}, {"- 5", -5},      {"1.5E+1", 15},     {"25e-1", 2.5f},
      {"1e+", 1},      {"3,5", 3},        {"12abc", 12},    {"1.2.3", 1.2f},    {"1\0 2"s, 1},
      {"abc", 0},      {"", 0},           {"inf", 0},       {"1e39", FLT_MAX},  {"1\r\n2\t3", 123},
      // as a Japanese input method types them, ideographic space included
      {"１２", 12},     {"－５", -5},       {"０．５", 0.5f}, {"１ｅ３", 1000},   {"＋７　８", 78},
      {"\u22122", -2}, {"１Ｅ－１", 0.1f}, {"１２ａ", 12},   {"ａ１", 0},
      {"1\uFF002", 1},  {"\u32125", 0},  // U+FF00, no full-width form; U+3212 ends like U+2212
      // rounded once, to the nearer float above the half-way point, not through a double
      {"1.0000000596046448", 1.00000012f},  {"1.0000000596046447", 1.0f},
      {"-1e99999", -FLT_MAX},   {"1e" + nines, FLT_MAX},    {"0." + zeros + "1e500", FLT_MAX},
      {"1e-50", 0},    {"1e-" + nines, 0}, {"-0." + zeros + "1", 0}, {"1" + zeros + "e-398", 100},
      {zeros + "1e-400", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(readNumber(c.text), c.value) << c.text.substr(0, 20);
}

TEST(NumberWriter, WritesSevenSignificantDigitsAndTheFileFormWithoutLeadingZero) {
  const struct { float value; const char *box, *file; } cases[] = {
      {31, "31", "31"},     {19.5f, "19.5", "19.5"}, {0.5f, "0.5", ".5"},  {-0.5f, "-0.5", "-.5"},
      {-0.25f, "-0.25", "-.25"},  {-0.0f, "0", "0"},  {1.0f / 3, "0.3333333", ".3333333"},
      {1234567.8f, "1234568", "1234568"},             {123.456789f, "123.4568", "123.4568"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatBoxNumber(c.value), c.box) << c.value;
    EXPECT_EQ(formatFileNumber(c.value), c.file) << c.value;
  }
}

}  // namespace
}  // namespace gyrenda
