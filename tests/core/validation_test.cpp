#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "test_support.h"

namespace gyrenda {
namespace {

using test::leaveBox;
using test::OpenWindow;

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
      {{{fixedLinkLength, "54"}}, fixedLinkLength, 53, "53", 53, FixedLinkRange{19, 53}},
      {{{fixedLinkLength, "60"}}, fixedLinkLength, 53, "53", 53, any},
      // Both fixed-link bounds see the crank of 40 (41, then 31) before it is cut back to 36.
      {{{crankRadius, "40"}}, crankRadius, 36, "36", 36, FixedLinkRange{37, 35}},
      {{{crankRadius, "40"}}, fixedLinkLength, 31, "31", 31, any},
      {{{crankRadius, "20.4"}}, crankRadius, 20.4f, "20", 20, FixedLinkRange{21.4f, 50.6f}},
      {{{crankRadius, "18.4"}}, crankRadius, 18.4f, "18.4", 18, any},
      {{{crankRadius, "0.4"}}, crankRadius, 0.4f, "1", 1, any},
      {{{sixLinkLength, "0.5"}}, sixLinkLength, 0.5f, "1", 1, any},  // positive: kept
      {{{crankRadius, "abc"}}, crankRadius, 1, "1", 1, FixedLinkRange{2, 70}},
      // The lever is made 1 before the crank is compared with it, so the crank follows to 1.
      {{{leverRadius, "-36"}}, leverRadius, 1, "1", 1, FixedLinkRange{37, 35}},
      {{{leverRadius, "-36"}}, crankRadius, 1, "1", 1, any},
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
