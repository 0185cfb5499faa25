#include <gtest/gtest.h>

#include <array>

#include "app/startup.h"
#include "test_support.h"

namespace gyrenda {
namespace {

TEST(Startup, ReadsTheDefaultsAndLeavesTheDerivedStateUntouched) {
  Form f;
  Form_Load(f);
  const std::array<float, kParamCount> values{18, 36, 36, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55};
  for (int k = 0; k < kParamCount; ++k) {
    EXPECT_EQ(f.paramIndex[k], k);
    EXPECT_EQ(f.param(k), values[k]) << k;
    EXPECT_EQ(f.spinValue[k], static_cast<int>(values[k])) << k;
  }
  EXPECT_EQ(f.zoomLevel, 3);
  EXPECT_EQ(f.List3Index, 1);
  EXPECT_EQ(f.speedStep, 1.0f);
  // Nothing derived exists before the first validation pass.
  EXPECT_EQ(f.Label13, "静止節長さ(0～0)");
  for (const AngleTable* t : {&f.crankTipX, &f.crankTipY, &f.leverX, &f.leverY, &f.couplerX,
                              &f.couplerY, &f.sixLinkX, &f.sixLinkY, &f.outputX, &f.sixOffsetY})
    EXPECT_EQ(*t, AngleTable{});
  for (float v : {f.outAlongFactor, f.outAcrossFactor, f.sixRatioX, f.sixRatioY})
    EXPECT_EQ(v, 0.0f);
}

}  // namespace
}  // namespace gyrenda
