#include <gtest/gtest.h>

#include "canvas/raster_search.h"

namespace gyrenda {
namespace {

// However far an optimised window drifts, a scan angle reads a table entry of one turn.
TEST(RasterSearch, ScanAngleWrapsIntoOneTurn) {
  const struct { float scan; int index; } cases[] = {
      {-1.5f, 717}, {361, 2},     {0, 0},       {360, 720},       {-361, 718},
      {720, 720},   {1000, 560},  {-1000, 160}, {-725.5f, 709},   {1080, 0}};
  for (const auto& c : cases) EXPECT_EQ(scanIndex(c.scan), c.index) << c.scan;
}

}  // namespace
}  // namespace gyrenda
