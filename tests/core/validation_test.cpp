#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/params.h"
#include "app/validation.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using test::leaveBox;
using test::OpenWindow;

// Boxes typed in order (a magnitude beyond the range ends at its nearest end, the fuzzer
// checks every box), then one parameter's value, box text and bar, and the range label.
TEST(ValidationPass, RepairsTheTypedValues) {
  const struct {  // label nullptr: not checked
    std::vector<std::pair<int, const char*>> typed;
    int k; float value; const char* box; int bar; const char* label;
  } cases[] = {
      {{{fixedLinkLength, "10"}}, fixedLinkLength, 19, "19", 19, "静止節(19～53)"},
      {{{fixedLinkLength, "54"}}, fixedLinkLength, 53, "53", 53, "静止節(19～53)"},
      {{{fixedLinkLength, "60"}}, fixedLinkLength, 53, "53", 53, nullptr},
      // Both fixed-link bounds see the crank of 40 (41, then 31) before it is cut back to 36.
      {{{crankRadius, "40"}}, crankRadius, 36, "36", 36, "静止節(37～35)"},
      {{{crankRadius, "40"}}, fixedLinkLength, 31, "31", 31, nullptr},
      {{{crankRadius, "20.4"}}, crankRadius, 20.4f, "20", 20, "静止節(21.4～50.6)"},
      {{{crankRadius, "18.4"}}, crankRadius, 18.4f, "18.4", 18, nullptr},
      {{{crankRadius, "0.4"}}, crankRadius, 0.4f, "1", 1, nullptr},
      {{{crankRadius, "abc"}}, crankRadius, 1, "1", 1, "静止節(2～70)"},
      // The lever is made 1 before the crank is compared with it, so the crank follows to 1.
      {{{leverRadius, "-36"}}, leverRadius, 1, "1", 1, "静止節(37～35)"},
      {{{leverRadius, "-36"}}, crankRadius, 1, "1", 1, nullptr},
      {{{slideEndX, "20"}}, slideEndX, 21, "21", 21, nullptr},
      {{{slideStartX, "150"}}, slideEndX, 151, "151", 151, nullptr},
      // At the top of the range the slide end moves down instead.
      {{{slideStartX, "30000"}, {slideEndX, "30000"}}, slideEndX, 29999, "29999", 29999, nullptr},
      {{{outputOffsetX, "1e39"}}, outputOffsetX, 30000, "30000", 30000, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.typed.back().first << " " << c.typed.back().second);
    OpenWindow w;
    for (const auto& [box, text] : c.typed) leaveBox(w.form, box, text);
    EXPECT_EQ(w.form.param(c.k), c.value);
    EXPECT_EQ(w.form.parameterText[c.k], c.box);
    EXPECT_EQ(w.form.spinValue[c.k], c.bar);
    if (c.label) {
      EXPECT_EQ(w.form.Label13, c.label);
    }
  }
}

TEST(ValidationPass, AnIndexOutsideTheBoxesChangesNothing) {
  for (const int index : {-1, kParamCount}) {
    OpenWindow w;
    w.form.Label13.clear();
    parameter_LostFocus(w.form, index);
    EXPECT_TRUE(w.form.Label13.empty()) << index;
    EXPECT_EQ(w.form.paramValue[kParamCount], 0.0f) << index;
  }
}

}  // namespace
}  // namespace gyrenda
