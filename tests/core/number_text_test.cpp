#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

#include "app/number_text.h"

namespace gyrenda {
namespace {

using namespace std::string_literals;

TEST(NumberReader, ReadsTheLongestNumericPrefixIgnoringBlanks) {
  struct Case {
    std::string text;
    float value;
  };
  const Case cases[] = {
      {"18", 18},        {"1 2", 12},       {"1.5e1", 15},    {"1.5E+1", 15},  {"3,5", 3},
      {"abc", 0},        {"", 0},           {"12abc", 12},    {" 1 . 5 ", 1.5f}, {"-0.5", -0.5f},
      {"- 5", -5},       {"+7", 7},         {".5", 0.5f},     {"5.", 5},       {"1e", 1},
      {"1e+", 1},        {"2e1x", 20},      {"-", 0},         {".", 0},        {"e5", 0},
      {"-.", 0},         {"inf", 0},        {"nan", 0},       {"0x10", 0},     {"1.2.3", 1.2f},
      {"25e-1", 2.5f},   {"\t4\t2", 42},    {"1--2", 1},      {"1e-50", 0},    {"0.1", 0.1f},
  };
  for (const Case& c : cases) EXPECT_EQ(readNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumberReader, StoresTheNearestSinglePrecisionValue) {
  EXPECT_EQ(readNumber("0.1"), 0.1f);
  EXPECT_NE(static_cast<double>(readNumber("0.1")), 0.1);
  EXPECT_EQ(readNumber("16777217"), 16777216.0f);
}

TEST(NumberReader, OverflowBecomesTheLargestFiniteValue) {
  EXPECT_EQ(readNumber("1e39"), FLT_MAX);
  EXPECT_EQ(readNumber("-1e39"), -FLT_MAX);
  EXPECT_EQ(readNumber("1e400"), FLT_MAX);
  EXPECT_EQ(readNumber("-1e99999"), -FLT_MAX);
  EXPECT_EQ(readNumber(std::string(400, '9')), FLT_MAX);
}

TEST(NumberReader, SurvivesHostileText) {
  const std::string hostile[] = {
      std::string(100000, '7'),
      "0." + std::string(100000, '0') + "1",
      "1e" + std::string(100000, '9'),
      "1e-" + std::string(100000, '9'),
      std::string(50000, ' ') + "3",
      "1\0 2"s,
      "\0 5"s,
      std::string(1000, '-'),
      std::string(1000, '.'),
      "\xff\xfe\x80",
      "１２",  // full-width digits are not digits
  };
  for (const std::string& text : hostile) {
    const float v = readNumber(text);
    EXPECT_TRUE(std::isfinite(v)) << text.substr(0, 20);
  }
  EXPECT_EQ(readNumber(hostile[0]), FLT_MAX);
  EXPECT_EQ(readNumber(hostile[1]), 0.0f);
  EXPECT_EQ(readNumber(hostile[4]), 3.0f);
  EXPECT_EQ(readNumber(hostile[5]), 1.0f);  // a NUL ends the number
  EXPECT_EQ(readNumber(hostile[6]), 0.0f);
  EXPECT_EQ(readNumber(hostile[10]), 0.0f);
}

TEST(NumberReader, TellsFarTooSmallFromFarTooLarge) {
  const std::string zeros(400, '0');
  struct Case {
    std::string text;
    float value;
  };
  const Case cases[] = {
      {"0." + zeros + "1", 0.0f},
      {"-0." + zeros + "1", 0.0f},
      {"0." + zeros + "1e500", FLT_MAX},
      {"1" + zeros + "e-450", 0.0f},
      {"1" + zeros + "e-398", 100.0f},
      {"-1" + zeros, -FLT_MAX},
      {"1e-400", 0.0f},
      {"0.00001e-400", 0.0f},
  };
  for (const Case& c : cases) EXPECT_EQ(readNumber(c.text), c.value) << c.text.substr(0, 12);
}

TEST(NumberWriter, WritesBoxTextWithSevenSignificantDigits) {
  struct Case {
    float value;
    const char* box;
    const char* file;
  };
  const Case cases[] = {
      {31, "31", "31"},
      {19.5f, "19.5", "19.5"},
      {0.5f, "0.5", ".5"},
      {-0.5f, "-0.5", "-.5"},
      {-0.25f, "-0.25", "-.25"},
      {0, "0", "0"},
      {-0.0f, "0", "0"},
      {360, "360", "360"},
      {359.5f, "359.5", "359.5"},
      {30000, "30000", "30000"},
      {-30000, "-30000", "-30000"},
      {1000000, "1000000", "1000000"},
      {0.1f, "0.1", ".1"},
      {1.0f / 3.0f, "0.3333333", ".3333333"},
      {-2.0f / 3.0f, "-0.6666667", "-.6666667"},
      {1234567.8f, "1234568", "1234568"},
      {20.4f, "20.4", "20.4"},
      {123.456789f, "123.4568", "123.4568"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(formatBoxNumber(c.value), c.box) << c.value;
    EXPECT_EQ(formatFileNumber(c.value), c.file) << c.value;
  }
}

TEST(NumberWriter, LargeAndSmallValuesKeepSevenDigitsAndReadBack) {
  for (float v : {1.0e8f, 123456789.0f, 1.0e-5f, -2.5e-7f, FLT_MAX, -FLT_MAX}) {
    const std::string text = formatBoxNumber(v);
    EXPECT_EQ(text.find(' '), std::string::npos) << text;
    EXPECT_EQ(text.find(','), std::string::npos) << text;
    const float back = readNumber(text);
    EXPECT_NEAR(back, v, std::fabs(v) * 1e-6f) << text;
    EXPECT_EQ(readNumber(formatFileNumber(v)), back) << formatFileNumber(v);
  }
}

}  // namespace
}  // namespace gyrenda
