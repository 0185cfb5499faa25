#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "app/commands.h"
#include "app/number_text.h"
#include "canvas/locus.h"
#include "files/data_file.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using test::OpenWindow;
using test::splitLines;

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream ss(line);
  for (std::string field; std::getline(ss, field, ',');) out.push_back(field);
  return out;
}

// On a mismatch the actual text is written beside the golden file for a look at the difference.
void expectGolden(const std::string& actual, const std::string& name) {
  const std::string path = std::string(GYRENDA_TEST_DATA_DIR) + "/" + name;
  const std::string expected = readBytes(path);
  ASSERT_FALSE(expected.empty()) << path;
  if (actual != expected) {
    std::ofstream(path + ".actual", std::ios::binary) << actual;
    ADD_FAILURE() << name << " differs; the actual text is in " << path << ".actual";
  }
}

TEST(DataFile, RightAfterStartMatchesTheGoldenFile) {
  Form f;
  Form_Load(f);
  expectGolden(dataFileText(f), "default_after_start.GYR");
  OpenWindow w;  // the first validation pass leaves the result tables alone
  expectGolden(dataFileText(w.form), "default_after_start.GYR");
}

TEST(DataFile, HasHeaderParametersAndOneRowPerHalfDegreeWithCrLf) {
  OpenWindow w;
  Command1_Click(w.form);
  const std::string text = dataFileText(w.form);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 723);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 723);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  const auto lines = splitLines(text, "\r\n");
  ASSERT_EQ(lines.size(), 723u);
  EXPECT_EQ(lines[0], "\"Gyrenda\"");
  EXPECT_EQ(lines[1], "18,36,36,31,72,0,50,100,30,20,55,150,55");
  for (int i = 0; i < kAngleSteps; ++i) {
    const auto row = fields(lines[i + 2]);
    ASSERT_EQ(row.size(), 3u) << lines[i + 2];
    EXPECT_EQ(row[0], formatFileNumber(i / 2.0f));
    for (const auto& [field, value] :
         {std::pair{row[1], w.form.outputX[i]}, std::pair{row[2], w.form.outputY[i]}}) {
      if (value == kNoPose) {
        EXPECT_EQ(field, "0") << lines[i + 2];
      } else {
        EXPECT_EQ(field, formatFileNumber(value));
        EXPECT_EQ(field.find(' '), std::string::npos);
        EXPECT_NE(field.rfind("0.", 0), 0u) << "no 0 before the point: " << field;
      }
    }
  }
  // いぬ skips a degree after each pose: 0.5 and 1 were never examined.
  EXPECT_EQ(lines[3], ".5,0,0");
  EXPECT_EQ(lines[4], "1,0,0");
  EXPECT_NE(lines[2], "0,0,0");
}

TEST(DataFile, MissingCoordinatesAreWrittenAsZeroEachOnItsOwn) {
  struct Case {
    int index;
    float x, y;
    const char* row;
  };
  for (const Case c : {Case{2, kNoPose, 5, "1,0,5"}, Case{3, -0.25f, kNoPose, "1.5,-.25,0"},
                       Case{720, kNoPose, kNoPose, "360,0,0"},
                       Case{1, 0.5f, -120.75f, ".5,.5,-120.75"},
                       Case{719, 12345.67f, 9998, "359.5,12345.67,9998"}}) {
    OpenWindow w;
    mXmYcls(w.form);
    w.form.outputX[c.index] = c.x;
    w.form.outputY[c.index] = c.y;
    const auto lines = splitLines(dataFileText(w.form), "\r\n");
    EXPECT_EQ(lines[c.index + 2], c.row);
    EXPECT_EQ(lines[2], "0,0,0");
  }
}

TEST(DataFile, ParameterLineFollowsTheVectorInFileForm) {
  OpenWindow w;
  test::leaveBox(w.form, crankRadius, "0.5");
  test::leaveBox(w.form, outputOffsetY, "-0.25");
  test::leaveBox(w.form, sixOutputOffsetX, "1234.5678");
  const auto lines = splitLines(dataFileText(w.form), "\r\n");
  EXPECT_EQ(lines[1], ".5,36,36,31,72,-.25,50,1234.568,30,20,55,150,55");
}

TEST(DataFile, ProposedNameIsBuiltFromTheFirstSixParameters) {
  struct Case {
    std::array<float, 6> values;
    const char* name;
  };
  const Case cases[] = {
      {{18, 36, 36, 31, 72, 0}, "R 18_A 36_B 36_L 31_C 72_D 0"},
      {{2.5f, 36, 36, 31, 72, -5}, "R 2.5_A 36_B 36_L 31_C 72_D-5"},
      {{0.5f, 36, 36, 31, 72, 0}, "R .5_A 36_B 36_L 31_C 72_D 0"},
      {{1, 2, 3, -0.25f, -72, -0.0f}, "R 1_A 2_B 3_L-.25_C-72_D 0"},
  };
  for (const Case& c : cases) {
    OpenWindow w;
    for (int k = 0; k < 6; ++k) w.form.param(k) = c.values[k];
    EXPECT_EQ(proposedFileName(w.form), c.name);
  }
}

}  // namespace
}  // namespace gyrenda
