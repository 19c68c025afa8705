#pragma once
// The chart of a stack's figures, laid out on a canvas of a given size:
// figures in, coordinates out. Whatever draws it (the SVG writer of
// lobrin-calc, a GDI painter in a window) draws exactly the shapes listed
// here, in the order listed, and computes nothing of its own.
//
// Three plots:
//   gain  (top left)     each plane's line alone (NE x 1, 1 x NH): gain over
//                        one antenna, dB, against spacing in wavelengths;
//   lobe  (bottom left)  the same lines' strongest lobe, dB below the peak,
//                        down to kFloorDb, on the gain plot's spacing axis;
//   cuts  (right)        the stack's pattern cut in each plane beside one
//                        antenna's, dB against the angle from boresight,
//                        -180 to 180 degrees, down to kFloorDb.
// The DL6WU distance of each plane is a thin vertical line across both
// left plots, labelled "E" or "H" above them; the chosen spacing is a
// marker on each plane's curves (a circle for E, a square for H). The E-plane
// is blue and solid, the H-plane vermilion and dashed, so that the planes are
// told apart without colour too. A legend below the plots names them all.
//
// Coordinates are pixels, x to the right and y down from the top left
// corner. Every fixed size (fonts, margins, line widths) is written for
// 96 DPI and multiplied by the `scale` given to LayOut, once.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "stack/stack_model.h"

namespace lobrin::chart {

inline constexpr double kFloorDb = -40.0;
// The most steps of the spacing axis's ticks.
inline constexpr int kSpacingTickSteps = 8;

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
};

struct Point {
  double x = 0.0;
  double y = 0.0;
};

// An upright rectangle by its edges: left <= right, top <= bottom.
struct Box {
  double left = 0.0;
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;

  bool Contains(Point p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
  // Whether the two share more than an edge.
  bool Overlaps(const Box& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }
};

// How a line is drawn: `dash` holds the lengths of the drawn and the left
// out pieces, in pixels, repeated along the line; empty is a solid line.
struct Stroke {
  Rgb colour;
  double width = 1.0;
  std::vector<double> dash;
};

struct Polyline {
  std::vector<Point> points;
  Stroke stroke;
};

struct Rectangle {
  Box box;
  std::optional<Rgb> fill;        // none: not filled
  std::optional<Stroke> outline;  // none: no outline
};

enum class MarkerShape { kCircle, kSquare };

// A filled marker centred on `centre`, `size` pixels across, with a white outline.
struct Marker {
  Point centre;
  double size = 0.0;
  MarkerShape shape = MarkerShape::kCircle;
  Rgb fill;
};

// Where a text's anchor point is along its baseline.
enum class Anchor { kStart, kMiddle, kEnd };

// A line of text, ASCII only, its baseline through `at`. An upright text is
// turned a quarter anticlockwise about `at`, and reads from bottom to top.
struct Label {
  Point at;
  std::string text;
  double size = 0.0;  // the font's height in pixels
  Anchor anchor = Anchor::kStart;
  Rgb colour;
  bool upright = false;
  bool bold = false;
};

// The box a label takes, from an average glyph width of kGlyphWidth times its
// size: generous for the sans-serif fonts of SVG renderers and of Windows.
inline constexpr double kGlyphWidth = 0.6;
Box ExtentOf(const Label& label);

// A plot area and the data ranges its edges stand for.
struct Plot {
  Box area;
  double xLow = 0.0;
  double xHigh = 1.0;
  double yLow = 0.0;
  double yHigh = 1.0;
  std::vector<double> xTicks;  // from xLow to xHigh, both included
  std::vector<double> yTicks;  // from yLow to yHigh, both included

  double XOf(double x) const;
  double YOf(double y) const;
};

enum class MarkKind { kDl6wu, kChosen };

// A spacing marked on the left plots: for kDl6wu, the vertical line's x; for
// kChosen, the markers' x.
struct SpacingMark {
  stack::Plane plane = stack::Plane::kE;
  MarkKind kind = MarkKind::kDl6wu;
  double spacingLambda = 0.0;
  double x = 0.0;
};

struct Layout {
  double width = 0.0;
  double height = 0.0;
  Rgb background;
  // Drawn in this order: rectangles, lines, markers, labels, each in its order.
  std::vector<Rectangle> rectangles;
  std::vector<Polyline> lines;
  std::vector<Marker> markers;
  std::vector<Label> labels;

  // Where things are, for a painter's hit tests and for the tests.
  Plot gain;
  Plot lobe;
  Plot cuts;
  Box legend;
  std::vector<SpacingMark> marks;
  std::vector<std::size_t> curves;  // indices into `lines` of the data curves
};

// What the chart shows.
struct Figures {
  std::string title;
  int baysE = 2;
  int baysH = 2;
  std::vector<stack::SweepRow> sweep;  // each plane's line alone, spacing ascending
  double dl6wuELambda = 0.0;
  double dl6wuHLambda = 0.0;
  stack::StackFigures chosen;  // at the chosen spacings
  double chosenELambda = 0.0;
  double chosenHLambda = 0.0;
  // Cuts from -180 to 180 degrees, clamped at kFloorDb.
  std::vector<stack::CutPoint> stackE;
  std::vector<stack::CutPoint> stackH;
  std::vector<stack::CutPoint> singleE;
  std::vector<stack::CutPoint> singleH;
};

// The chart of `figures` on a `width` x `height` pixel canvas, every fixed
// size multiplied by `scale` (dpi / 96 in a window).
Layout LayOut(const Figures& figures, double width, double height, double scale = 1.0);

// Tick values from at most `most` steps of 1, 2, 2.5 or 5 times a power of ten:
// the first at or below `low`, the last at or above `high`. For low == high
// the range is widened by one unit of the value's size.
std::vector<double> NiceTicks(double low, double high, int most);

}  // namespace lobrin::chart
