#include "elements/font_height.h"

#include <windows.h>

namespace lobrin {

int ScreenDpiY() {
  // 0 means "not read yet"; a screen never reports 0 pixels per inch.
  static int cachedDpi = 0;
  if (cachedDpi == 0) {
    HDC screen = GetDC(nullptr);
    cachedDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
  return cachedDpi;
}

int FontHeightFromPoints(int size) { return FontHeightAtDpi(size, ScreenDpiY()); }

}  // namespace lobrin
