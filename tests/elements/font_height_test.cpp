#include "elements/font_height.h"

#include <windows.h>
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

TEST(FontHeight, UsesTheScreenResolution) {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(ScreenDpiY(), dpi);
  EXPECT_EQ(FontHeightFromPoints(8), -((8 * dpi + 36) / 72));
}

}  // namespace
}  // namespace lobrin
