#include "elements/font_height.h"

#include <gtest/gtest.h>

namespace lobrin {
namespace {

TEST(FontHeight, PointsAtAGivenResolution) {
  struct Case { int size, dpi, height; };
  const Case cases[] = {
      {8, 96, -11}, {8, 120, -13}, {10, 96, -13}, {9, 96, -12},
      {0, 96, 0},   {1, 96, -1},   {12, 144, -24}, {255, 96, -340},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FontHeightAtDpi(c.size, c.dpi), c.height) << c.size << "pt at " << c.dpi;
}

}  // namespace
}  // namespace lobrin
