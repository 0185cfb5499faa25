#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/commands.h"
#include "files/data_file.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using test::OpenWindow;
using test::splitLines;

// On a mismatch the actual text is written beside the golden file for a look at the difference.
TEST(DataFile, RightAfterStartMatchesTheGoldenFile) {
  const std::string path = std::string(GYRENDA_TEST_DATA_DIR) + "/default_after_start.GYR";
  std::ifstream in(path, std::ios::binary);
  const std::string golden{std::istreambuf_iterator<char>(in), {}};
  ASSERT_EQ(splitLines(golden, "\r\n").size(), 723u) << path;
  OpenWindow w;  // the first validation pass leaves the result tables alone
  const std::string actual = dataFileText(w.form);
  if (actual != golden) {
    std::ofstream(path + ".actual", std::ios::binary) << actual;
    ADD_FAILURE() << "differs from " << path << "; the actual text is in " << path << ".actual";
  }
}

TEST(DataFile, MissingCoordinatesAreWrittenAsZeroEachOnItsOwn) {
  const struct { int index; float x, y; const char* row; } cases[] = {
      {2, kNoPose, 5, "1,0,5"},          {3, -0.25f, kNoPose, "1.5,-.25,0"},
      {720, kNoPose, kNoPose, "360,0,0"}, {719, 12345.67f, 9998, "359.5,12345.67,9998"}};
  for (const auto& c : cases) {
    OpenWindow w;
    mXmYcls(w.form);
    w.form.outputX[c.index] = c.x;
    w.form.outputY[c.index] = c.y;
    EXPECT_EQ(splitLines(dataFileText(w.form), "\r\n")[c.index + 2], c.row);
  }
  OpenWindow w;  // いぬ skips a degree after each pose: 0.5 and 1 were never examined
  Command1_Click(w.form);
  const auto lines = splitLines(dataFileText(w.form), "\r\n");
  EXPECT_NE(lines[2], "0,0,0");
  EXPECT_EQ(lines[3], ".5,0,0");
  EXPECT_EQ(lines[4], "1,0,0");
}

TEST(DataFile, ProposedNameIsBuiltFromTheFirstSixParameters) {
  const struct { std::array<float, 6> values; const char* name; } cases[] = {
      {{18, 36, 36, 31, 72, 0}, "R 18_A 36_B 36_L 31_C 72_D 0"},
      {{2.5f, 36, 36, 31, 72, -5}, "R 2.5_A 36_B 36_L 31_C 72_D-5"},
      {{0.5f, 36, 36, 31, 72, 0}, "R .5_A 36_B 36_L 31_C 72_D 0"},
      {{1, 2, 3, -0.25f, -72, -0.0f}, "R 1_A 2_B 3_L-.25_C-72_D 0"}};
  for (const auto& c : cases) {
    OpenWindow w;
    for (int k = 0; k < 6; ++k) w.form.param(k) = c.values[k];
    EXPECT_EQ(proposedFileName(w.form), c.name);
  }
}

}  // namespace
}  // namespace gyrenda
