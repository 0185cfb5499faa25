#include <gtest/gtest.h>

#include <tuple>

#include "app/startup.h"
#include "test_support.h"

namespace gyrenda {
namespace {

// The window opens on the defaults (slots 13 and 14 stay 0) with nothing derived from them:
// the golden designs show the state after the first validation pass.
TEST(Startup, ReadsTheDefaultsAndLeavesTheDerivedStateUntouched) {
  Form f;
  Form_Load(f);
  EXPECT_EQ(f.paramValue, (std::array<float, kParamSlots>{18, 36, 36, 31, 72, 0, 50, 100, 30, 20,
                                                          55, 150, 55, 0, 0}));
  EXPECT_EQ(std::tuple(f.zoomLevel, f.List3Index, f.speedStep, f.Label13),
            std::tuple(3, 1, 1.0f, "静止節長さ(0～0)"));
  for (const AngleTable* t : {&f.crankTipX, &f.crankTipY, &f.leverX, &f.leverY, &f.couplerX,
                              &f.couplerY, &f.sixLinkX, &f.sixLinkY, &f.outputX, &f.sixOffsetY})
    EXPECT_EQ(*t, AngleTable{});
  EXPECT_EQ(std::tuple(f.outAlongFactor, f.outAcrossFactor, f.sixRatioX, f.sixRatioY),
            std::tuple(0.0f, 0.0f, 0.0f, 0.0f));
}

}  // namespace
}  // namespace gyrenda
