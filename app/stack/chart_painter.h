#pragma once
// Draws a chart layout (chart/chart_layout.h) on a GDI device context: the
// same shapes, in the same order, as the SVG writer draws them. It computes
// no position of its own; it only rounds the layout's coordinates to pixels.

#include <windows.h>

#include "chart/chart_layout.h"

namespace lobrin::stackwin {

// Paints `layout` into `dc`, its top left corner at (0, 0).
void PaintChart(HDC dc, const chart::Layout& layout);

// Fills a `width` x `height` area with the chart's background and writes
// `reason` in the middle, in `fontHeight` pixels: the chart of bad input.
void PaintReason(HDC dc, int width, int height, const std::string& reason, int fontHeight);

}  // namespace lobrin::stackwin
