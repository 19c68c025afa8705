#pragma once
// Font heights from point sizes at the screen's resolution.

namespace lobrin {

// Height in logical units (negative: a character height) of a font of `size`
// points at `dpi` vertical pixels per inch; the division truncates.
constexpr int FontHeightAtDpi(int size, int dpi) { return -((size * dpi + 36) / 72); }

// The screen's vertical pixels per inch, read once per process and then cached.
int ScreenDpiY();

// Height of a font of `size` points at the screen's resolution.
int FontHeightFromPoints(int size);

}  // namespace lobrin
