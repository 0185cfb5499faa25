// What the boxes take: numbers read from what is typed and written back in the box's and the
// data file's form, and the validation pass that repairs the typed values.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "linkage/number_text.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using namespace std::string_literals;
using test::leaveBox;
using test::OpenWindow;

TEST(NumberReader, ReadsTheNumericPrefixIgnoringBlanksInAsciiOrFullWidthAndStaysFinite) {
  const std::string zeros(400, '0'), nines(9999, '9');
  const struct { std::string text; float value; } cases[] = {
      {"1 2", 12},     {" 1 . 5 ", 1.5f}, {"- 5", -5},      {"1.5E+1", 15},     {"25e-1", 2.5f},
      {"1e+", 1},      {"3,5", 3},        {"12abc", 12},    {"1.2.3", 1.2f},    {"1\0 2"s, 1},
      {"abc", 0},      {"", 0},           {"inf", 0},       {"1e39", FLT_MAX},  {"1\r\n2\t3", 123},
      // as a Japanese input method types them, ideographic space included
      {"１２", 12},     {"－５", -5},       {"０．５", 0.5f}, {"１ｅ３", 1000},   {"＋７　８", 78},
      {"\u22122", -2}, {"１Ｅ－１", 0.1f}, {"１２ａ", 12},   {"ａ１", 0},    {"\u30005", 5},
      // U+FF00, no full-width form; U+3212 ends like U+2212, U+0F11 like a full-width 1
      {"1\uFF002", 1}, {"\u32125", 0}, {"\u0F11", 0},
      // rounded once, to the nearer float above the half-way point, not through a double
      {"1.0000000596046448", 1.00000012f},  {"1.0000000596046447", 1.0f},
      {"-1e99999", -FLT_MAX},   {"1e" + nines, FLT_MAX},    {"0." + zeros + "1e500", FLT_MAX},
      {"1e-50", 0},    {"1e-" + nines, 0}, {"-0." + zeros + "1", 0}, {"1" + zeros + "e-398", 100},
      {zeros + "1e-400", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(readNumber(c.text), c.value) << c.text.substr(0, 20);
  EXPECT_EQ(readNumber(std::string_view("125").substr(0, 2)), 12) << "read beyond its text";
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


// Boxes typed in order (a magnitude beyond the range ends at its nearest end, the fuzzer
// checks every box), then one parameter's value, box text and bar, and the fixed-link range
// shown beside its box.
TEST(ValidationPass, RepairsTheTypedValues) {
  const std::optional<FixedLinkRange> any;  // not checked
  const struct {
    std::vector<std::pair<int, const char*>> typed;
    int k; float value; const char* box; int bar; std::optional<FixedLinkRange> range;
  } cases[] = {
      {{{fixedLinkLength, "10"}}, fixedLinkLength, 19, "19", 19, FixedLinkRange{19, 53}},
      {{{fixedLinkLength, "18"}}, fixedLinkLength, 19, "19", 19, any},  // on the bound: past it
      {{{fixedLinkLength, "54"}}, fixedLinkLength, 53, "53", 53, FixedLinkRange{19, 53}},
      // Both fixed-link bounds see the crank of 40 (41, then 31) before it is cut back to 36.
      {{{crankRadius, "40"}}, crankRadius, 36, "36", 36, FixedLinkRange{37, 35}},
      {{{crankRadius, "40"}}, fixedLinkLength, 31, "31", 31, any},
      {{{crankRadius, "20.4"}}, crankRadius, 20.4f, "20.4", 20, FixedLinkRange{21.4f, 50.6f}},
      {{{crankRadius, "18.4"}}, crankRadius, 18.4f, "18.4", 18, any},
      {{{crankRadius, "0.4"}}, crankRadius, 0.4f, "0.4", 1, any},
      {{{leverRadius, "18"}, {crankRadius, "18.0"}}, crankRadius, 18, "18", 18, any},  // kept
      {{{sixLinkLength, "0.5"}}, sixLinkLength, 0.5f, "0.5", 1, any},  // positive: kept
      {{{sixLinkLength, "0"}}, sixLinkLength, 1, "1", 1, any},
      {{{couplerLength, "-0"}}, couplerLength, 1, "1", 1, any},
      {{{crankRadius, "abc"}}, crankRadius, 1, "1", 1, FixedLinkRange{2, 70}},
      // The lever is made 1 before the crank is compared with it, so the crank follows to 1.
      {{{leverRadius, "-36"}}, leverRadius, 1, "1", 1, FixedLinkRange{37, 35}},
      {{{leverRadius, "-36"}}, crankRadius, 1, "1", 1, any},
      {{{leverRadius, "0"}}, leverRadius, 1, "1", 1, any},
      {{{slideEndX, "20"}}, slideEndX, 21, "21", 21, any},
      {{{slideStartX, "150"}}, slideEndX, 151, "151", 151, any},
      // At the top of the range the slide end moves down instead, only there.
      {{{slideStartX, "30000"}, {slideEndX, "30000"}}, slideEndX, 29999, "29999", 29999, any},
      {{{slideStartX, "29999"}, {slideEndX, "29999"}}, slideEndX, 30000, "30000", 30000, any},
      {{{outputOffsetX, "1e39"}}, outputOffsetX, 30000, "30000", 30000, any},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.typed.back().first << " " << c.typed.back().second);
    OpenWindow w;
    for (const auto& [box, text] : c.typed) leaveBox(w.bench, box, text);
    const ControlState& controls = w.bench.controls();
    EXPECT_EQ(w.bench.linkage()[ParamName(c.k)], c.value);
    EXPECT_EQ(controls.boxText[c.k], c.box);
    EXPECT_EQ(controls.spinValue[c.k], c.bar);
    if (c.range) {
      EXPECT_EQ(controls.fixedLinkCaption, c.range);
    }
  }
}

// A box shows the value its parameter holds, in the seven digits a pass writes, and its bar the
// nearest whole number; leaving a box whose text was not edited keeps the parameter to the last
// bit, after a typed value with more digits than a box shows, an applied design, undo and
// redo. A click on a bar still steps from the bar's whole number.
TEST(ValidationPass, BoxesShowTheValueHeldAndLeavingThemUntouchedKeepsIt) {
  OpenWindow w;
  ParameterSet applied = w.bench.linkage().parameters;
  std::ranges::copy(std::array{15.42806f, 23.42215f, 27.06871f, 19.14275f, 44.06559f, -3.25f},
                    applied.begin());
  const auto showsAndKeeps = [&](const char* step) {
    SCOPED_TRACE(step);
    const ParameterSet held = w.bench.linkage().parameters;
    for (int k = 0; k < kParamCount; ++k) {
      EXPECT_EQ(w.bench.controls().boxText[k], formatBoxNumber(held[k])) << k;
      EXPECT_EQ(w.bench.controls().spinValue[k], static_cast<int>(std::nearbyint(held[k]))) << k;
    }
    for (int k = 0; k < kParamCount; ++k) w.bench.leaveBox(k);  // Tab through every box
    EXPECT_EQ(w.bench.linkage().parameters, held);
  };
  leaveBox(w.bench, crankRadius, "15.428061");  // one more digit than the box shows
  EXPECT_EQ(w.bench.linkage()[crankRadius], 15.428061f);
  showsAndKeeps("typed");
  w.bench.applyParameters(applied);
  EXPECT_EQ(w.bench.linkage().parameters, applied);
  showsAndKeeps("applied");
  w.bench.undo();
  showsAndKeeps("undone");
  w.bench.redo();
  showsAndKeeps("redone");
  ParameterSet loaded = applied;
  loaded[outputOffsetX] = 41.37719f;
  w.bench.applyDesign(loaded);
  EXPECT_EQ(w.bench.linkage().parameters, loaded);
  showsAndKeeps("loaded");
  const Vec2 output = *handlePlaces(makeExactLinkage(loaded), w.bench.jointDrag().crankAngle(),
                                    false)[static_cast<int>(Handle::FourBarOutput)];
  ASSERT_TRUE(w.bench.beginDrag(Handle::FourBarOutput));
  w.bench.dragTo(output + Vec2{1.2345, -0.6789}, false, 0.001);
  EXPECT_EQ(w.bench.endDrag(), DragProblem::None);
  EXPECT_NE(w.bench.linkage()[outputOffsetY], loaded[outputOffsetY]);
  showsAndKeeps("dragged");
  w.bench.setSpinBar(crankRadius, w.bench.controls().spinValue[crankRadius] + 1);
  EXPECT_EQ(std::pair(w.bench.linkage()[crankRadius], w.bench.controls().boxText[crankRadius]),
            std::pair(16.0f, std::string("16")));
}

TEST(ValidationPass, AnIndexOutsideTheBoxesChangesNothing) {
  for (const int index : {-1, kParamCount}) {
    OpenWindow w;
    w.bench.controls().fixedLinkCaption.reset();
    w.bench.controls().takeChanges();
    const ParameterSet before = w.bench.linkage().parameters;
    w.bench.leaveBox(index);
    EXPECT_EQ(w.bench.controls().changes, 0u) << index;
    EXPECT_FALSE(w.bench.controls().fixedLinkCaption) << index;
    EXPECT_EQ(w.bench.linkage().parameters, before) << index;
  }
}

}  // namespace
}  // namespace gyrenda
