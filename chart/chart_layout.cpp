#include "chart/chart_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace lobrin::chart {

namespace {

// The colours: Okabe and Ito's palette for colour-blind readers, blue and
// vermilion, which stay apart in every kind of colour blindness.
constexpr Rgb kWhite = {255, 255, 255};
constexpr Rgb kInk = {34, 34, 34};
constexpr Rgb kGrid = {221, 221, 221};
constexpr Rgb kFrame = {102, 102, 102};
constexpr Rgb kBlue = {0, 114, 178};
constexpr Rgb kVermilion = {213, 94, 0};
constexpr Rgb kLightBlue = {128, 185, 217};
constexpr Rgb kLightVermilion = {234, 175, 128};

// Sizes at 96 DPI, in pixels.
constexpr double kMargin = 10.0;
constexpr double kFont = 12.0;
constexpr double kTitleFont = 15.0;
constexpr double kTickLength = 4.0;
constexpr double kTickTextGap = 3.0;  // keeps the first x tick text below the last y tick text
constexpr double kCurveWidth = 2.0;
constexpr double kThinWidth = 1.25;
constexpr double kMarkWidth = 1.0;
constexpr double kMarkerSize = 8.0;
constexpr double kDash = 6.0;     // the H-plane's dash: drawn, then left out
constexpr double kDashGap = 4.0;  //
constexpr double kColumnGap = 36.0;
constexpr double kPlotGap = 18.0;  // between the gain and the lobe plot
constexpr double kLegendSample = 26.0;
constexpr double kLegendEntryGap = 18.0;

constexpr double kFullTurnHalf = 180.0;
constexpr int kGainTickSteps = 5;

struct Sizes {
  double scale;
  double S(double v) const { return v * scale; }
};

Stroke PlaneStroke(stack::Plane plane, Rgb colour, double width, const Sizes& s) {
  Stroke stroke{colour, s.S(width), {}};
  if (plane == stack::Plane::kH) {
    stroke.dash = {s.S(kDash), s.S(kDashGap)};
  }
  return stroke;
}

Rgb PlaneColour(stack::Plane plane) { return plane == stack::Plane::kE ? kBlue : kVermilion; }
Rgb SingleColour(stack::Plane plane) { return plane == stack::Plane::kE ? kLightBlue : kLightVermilion; }
MarkerShape PlaneShape(stack::Plane plane) {
  return plane == stack::Plane::kE ? MarkerShape::kCircle : MarkerShape::kSquare;
}

// The tick's text: as few decimals as the step needs.
std::string TickText(double value, double step) {
  int decimals = 0;
  while (decimals < 3 &&
         std::fabs(step * std::pow(10.0, decimals) - std::round(step * std::pow(10.0, decimals))) >
             1e-9 * std::pow(10.0, decimals)) {
    ++decimals;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string shown = text;
  if (shown.find_first_not_of("-0.") == std::string::npos) {
    shown = decimals == 0 ? "0" : shown.substr(shown[0] == '-' ? 1 : 0);  // no "-0"
  }
  return shown;
}

double StepOf(const std::vector<double>& ticks) { return ticks.size() > 1 ? ticks[1] - ticks[0] : 1.0; }

double WidestTickText(const std::vector<double>& ticks, double fontSize) {
  double widest = 0.0;
  for (double tick : ticks) {
    Label label{{0.0, 0.0}, TickText(tick, StepOf(ticks)), fontSize, Anchor::kStart, kInk};
    const Box extent = ExtentOf(label);
    widest = std::max(widest, extent.right - extent.left);
  }
  return widest;
}

// Snaps a coordinate to a pixel's centre, so that a line one pixel wide
// covers one column or row of pixels instead of two at half strength.
double Crisp(double v) { return std::floor(v) + 0.5; }

class Builder {
 public:
  Builder(Layout& layout, const Sizes& sizes) : layout_(layout), s_(sizes) {}

  void Text(Point at, std::string text, double size, Anchor anchor, Rgb colour, bool upright = false,
            bool bold = false) {
    layout_.labels.push_back({at, std::move(text), size, anchor, colour, upright, bold});
  }
  void Line(std::vector<Point> points, Stroke stroke) {
    layout_.lines.push_back({std::move(points), std::move(stroke)});
  }

  // The frame, the grid and the ticks of `plot`, tick texts on the y axis and,
  // with `xTexts`, on the x axis.
  void Axes(const Plot& plot, bool xTexts) {
    const Box& a = plot.area;
    layout_.rectangles.push_back({a, kWhite, std::nullopt});
    const double font = s_.S(kFont);
    const double tick = s_.S(kTickLength);
    for (double x : plot.xTicks) {
      const double px = Crisp(plot.XOf(x));
      Line({{px, a.top}, {px, a.bottom}}, {kGrid, s_.S(1.0), {}});
      Line({{px, a.bottom}, {px, a.bottom + tick}}, {kFrame, s_.S(1.0), {}});
      if (xTexts) {
        Text({px, a.bottom + tick + s_.S(kTickTextGap) + font}, TickText(x, StepOf(plot.xTicks)), font,
             Anchor::kMiddle, kInk);
      }
    }
    for (double y : plot.yTicks) {
      const double py = Crisp(plot.YOf(y));
      Line({{a.left, py}, {a.right, py}}, {kGrid, s_.S(1.0), {}});
      Line({{a.left - tick, py}, {a.left, py}}, {kFrame, s_.S(1.0), {}});
      Text({a.left - tick - s_.S(2.0), py + font * 0.35}, TickText(y, StepOf(plot.yTicks)), font,
           Anchor::kEnd, kInk);
    }
  }

  void Frame(const Plot& plot) {
    const Box& a = plot.area;
    Line({{a.left, a.top}, {a.right, a.top}, {a.right, a.bottom}, {a.left, a.bottom}, {a.left, a.top}},
         {kFrame, s_.S(1.0), {}});
  }

  // A curve through data points of `plot`, each y held inside the plot's range.
  void Curve(const Plot& plot, const std::vector<Point>& data, Stroke stroke) {
    if (data.size() < 2) {
      return;
    }
    std::vector<Point> points;
    points.reserve(data.size());
    for (const Point& p : data) {
      const double y = std::clamp(p.y, plot.yLow, plot.yHigh);
      const double x = std::clamp(p.x, plot.xLow, plot.xHigh);
      points.push_back({plot.XOf(x), plot.YOf(y)});
    }
    layout_.curves.push_back(layout_.lines.size());
    Line(std::move(points), std::move(stroke));
  }

 private:
  Layout& layout_;
  Sizes s_;
};

// Each plane's lobe against spacing: curves broken where the lobe is missing
// or below the floor, each ended where it crosses the floor.
std::vector<std::vector<Point>> LobeRuns(const std::vector<stack::SweepRow>& sweep, stack::Plane plane) {
  std::vector<std::vector<Point>> runs(1);
  std::optional<Point> previous;  // the last point, when it had a lobe
  for (const stack::SweepRow& row : sweep) {
    const std::optional<double>& lobe = plane == stack::Plane::kE ? row.lobeEDb : row.lobeHDb;
    const std::optional<Point> point =
        lobe ? std::optional<Point>(Point{row.spacingLambda, *lobe}) : std::optional<Point>();
    const bool above = point && point->y >= kFloorDb;
    const bool previousAbove = previous && previous->y >= kFloorDb;
    if (point && previous && above != previousAbove) {
      const double t = (kFloorDb - previous->y) / (point->y - previous->y);
      runs.back().push_back({previous->x + t * (point->x - previous->x), kFloorDb});
    }
    if (above) {
      runs.back().push_back(*point);
    } else if (!runs.back().empty()) {
      runs.emplace_back();
    }
    previous = point;
  }
  return runs;
}

std::vector<Point> CutPoints(const std::vector<stack::CutPoint>& cut) {
  std::vector<Point> points;
  points.reserve(cut.size());
  for (const stack::CutPoint& p : cut) {
    points.push_back({p.angleDeg, p.levelDb});
  }
  return points;
}

// What the legend shows for one entry, beside its text.
enum class Sample { kLine, kThinLine, kMarks, kMarkers };

struct LegendEntry {
  Sample sample;
  std::string text;
  stack::Plane plane;  // for the single-plane samples
};

}  // namespace

Box ExtentOf(const Label& label) {
  const double width = kGlyphWidth * label.size * static_cast<double>(label.text.size());
  const double ascent = label.size * 0.8;
  const double descent = label.size * 0.25;
  double start = label.at.x;
  if (label.anchor == Anchor::kMiddle) {
    start -= width / 2.0;
  } else if (label.anchor == Anchor::kEnd) {
    start -= width;
  }
  if (!label.upright) {
    return {start, label.at.y - ascent, start + width, label.at.y + descent};
  }
  // Turned about `at`: the text runs up from at.y, its top to the left.
  const double along = start - label.at.x;
  return {label.at.x - ascent, label.at.y - along - width, label.at.x + descent, label.at.y - along};
}

// Weighted as a (1 - t) + b t, exact at both ends: a curve at the edge of
// its range stays on the plot's edge, not a rounding beyond it.
double Plot::XOf(double x) const {
  const double t = (x - xLow) / (xHigh - xLow);
  return area.left * (1.0 - t) + area.right * t;
}
double Plot::YOf(double y) const {
  const double t = (y - yLow) / (yHigh - yLow);
  return area.bottom * (1.0 - t) + area.top * t;
}

std::vector<double> NiceTicks(double low, double high, int most) {
  if (!(high > low)) {
    const double unit = low != 0.0 ? std::pow(10.0, std::floor(std::log10(std::fabs(low)))) : 1.0;
    low -= unit;
    high += unit;
  }
  most = std::max(most, 1);
  static const double kMantissas[] = {1.0, 2.0, 2.5, 5.0, 10.0};
  // Ticks at whole multiples of the step; a value within a billionth of a
  // step from a multiple counts as on it.
  constexpr double kSlack = 1e-9;
  double exponent = std::floor(std::log10((high - low) / most));
  for (;; exponent += 1.0) {
    for (double mantissa : kMantissas) {
      const double step = mantissa * std::pow(10.0, exponent);
      const double first = std::floor(low / step + kSlack);
      const double last = std::ceil(high / step - kSlack);
      if (last - first <= most) {
        std::vector<double> ticks;
        for (double i = first; i <= last; i += 1.0) {
          const double tick = i * step;
          ticks.push_back(tick == 0.0 ? 0.0 : tick);  // no -0
        }
        return ticks;
      }
    }
  }
}

Layout LayOut(const Figures& figures, double width, double height, double scale) {
  const Sizes s{scale};
  Layout layout;
  layout.width = width;
  layout.height = height;
  layout.background = kWhite;
  Builder draw(layout, s);
  const double font = s.S(kFont);
  const double margin = s.S(kMargin);

  // The data ranges. The spacing axis starts at 0 and reaches past the
  // sweep and every mark; the gain axis covers every gain.
  double spacingHigh =
      std::max({figures.dl6wuELambda, figures.dl6wuHLambda, figures.chosenELambda, figures.chosenHLambda});
  double gainLow = 0.0;
  double gainHigh = std::max(figures.chosen.gainEDb, figures.chosen.gainHDb);
  gainLow = std::min({gainLow, figures.chosen.gainEDb, figures.chosen.gainHDb});
  for (const stack::SweepRow& row : figures.sweep) {
    spacingHigh = std::max(spacingHigh, row.spacingLambda);
    gainLow = std::min({gainLow, row.gainEDb, row.gainHDb});
    gainHigh = std::max({gainHigh, row.gainEDb, row.gainHDb});
  }
  const std::vector<double> spacingTicks = NiceTicks(0.0, spacingHigh, kSpacingTickSteps);
  const std::vector<double> gainTicks = NiceTicks(gainLow, gainHigh, kGainTickSteps);
  const std::vector<double> levelTicks = NiceTicks(kFloorDb, 0.0, 4);

  // From the top: the title, the plots' headings, the marks' letters.
  const double titleBaseline = margin + s.S(kTitleFont);
  const double headingBaseline = titleBaseline + s.S(6.0) + font * 1.2;
  const double plotsTop = headingBaseline + font * 1.6;

  // From the bottom: the legend, then each plot's x axis title and tick texts.
  const std::string lineE = std::to_string(figures.baysE) + " x 1";
  const std::string lineH = "1 x " + std::to_string(figures.baysH);
  const std::vector<LegendEntry> entries = {
      {Sample::kLine, "E-plane (" + lineE + " line; stack)", stack::Plane::kE},
      {Sample::kLine, "H-plane (" + lineH + " line; stack)", stack::Plane::kH},
      {Sample::kThinLine, "one antenna, E-plane", stack::Plane::kE},
      {Sample::kThinLine, "one antenna, H-plane", stack::Plane::kH},
      {Sample::kMarks, "DL6WU distance", stack::Plane::kE},
      {Sample::kMarkers, "chosen spacing", stack::Plane::kE},
  };
  // The entries flow in rows across the canvas.
  const double entryHeight = font * 1.7;
  const double padding = s.S(8.0);
  const double legendWidth = width - 2.0 * margin;
  std::vector<std::vector<std::size_t>> rows(1);
  std::vector<double> rowWidths(1, 0.0);
  auto entryWidth = [&](const LegendEntry& entry) {
    return s.S(kLegendSample) + s.S(6.0) + kGlyphWidth * font * static_cast<double>(entry.text.size());
  };
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const double w = entryWidth(entries[i]);
    const double needed = rows.back().empty() ? w : rowWidths.back() + s.S(kLegendEntryGap) + w;
    if (!rows.back().empty() && needed > legendWidth - 2.0 * padding) {
      rows.emplace_back();
      rowWidths.push_back(w);
    } else {
      rowWidths.back() = needed;
    }
    rows.back().push_back(i);
  }
  const double legendHeight = static_cast<double>(rows.size()) * entryHeight + 2.0 * padding;
  const double widestRow = *std::max_element(rowWidths.begin(), rowWidths.end());
  const double legendLeft = std::max(margin, (width - widestRow) / 2.0 - padding);
  layout.legend = {legendLeft, height - margin - legendHeight, width - legendLeft, height - margin};

  const double xTitleBaseline = layout.legend.top - s.S(8.0) - font * 0.25;
  // Above the x axis title: the tick texts, then the ticks.
  const double plotsBottom =
      xTitleBaseline - font * 0.8 - s.S(3.0) - font * 1.25 - s.S(kTickTextGap) - s.S(kTickLength);

  // From the left: each column's y axis title, tick texts and plot.
  const double columnGap = s.S(kColumnGap);
  const double leftColumnRight = (width - columnGap) / 2.0;
  const double rightColumnLeft = leftColumnRight + columnGap;
  const double tickTextRoom = s.S(kTickLength) + s.S(6.0);
  const double yTitleRoom = font * 1.4;
  const double leftTicksWidth = std::max(WidestTickText(gainTicks, font), WidestTickText(levelTicks, font));
  // Room on the right for half of the last x tick text.
  const double endRoom = kGlyphWidth * font * 2.0;

  Plot& gain = layout.gain;
  Plot& lobe = layout.lobe;
  Plot& cuts = layout.cuts;
  const double leftPlotLeft = margin + yTitleRoom + leftTicksWidth + tickTextRoom;
  const double halfHeight = (plotsBottom - plotsTop - s.S(kPlotGap)) / 2.0;
  gain.area = {leftPlotLeft, plotsTop, leftColumnRight - endRoom, plotsTop + halfHeight};
  lobe.area = {leftPlotLeft, plotsBottom - halfHeight, leftColumnRight - endRoom, plotsBottom};
  for (Plot* plot : {&gain, &lobe}) {
    plot->xTicks = spacingTicks;
    plot->xLow = spacingTicks.front();
    plot->xHigh = spacingTicks.back();
  }
  gain.yTicks = gainTicks;
  gain.yLow = gainTicks.front();
  gain.yHigh = gainTicks.back();
  lobe.yTicks = levelTicks;
  lobe.yLow = levelTicks.front();
  lobe.yHigh = levelTicks.back();

  const double rightPlotLeft = rightColumnLeft + yTitleRoom + WidestTickText(levelTicks, font) + tickTextRoom;
  cuts.area = {rightPlotLeft, plotsTop, width - margin - endRoom, plotsBottom};
  cuts.xLow = -kFullTurnHalf;
  cuts.xHigh = kFullTurnHalf;
  // Angles step by 45 degrees where the texts fit, by 90 where not.
  const double angleStep = (cuts.area.right - cuts.area.left) / 8.0 > kGlyphWidth * font * 6.0 ? 45.0 : 90.0;
  for (double a = -kFullTurnHalf; a <= kFullTurnHalf; a += angleStep) {
    cuts.xTicks.push_back(a);
  }
  cuts.yTicks = levelTicks;
  cuts.yLow = levelTicks.front();
  cuts.yHigh = levelTicks.back();

  draw.Axes(gain, false);
  draw.Axes(lobe, true);
  draw.Axes(cuts, true);

  // The DL6WU marks: thin lines across both left plots, under the curves.
  const bool eFirst = figures.dl6wuELambda <= figures.dl6wuHLambda;
  for (stack::Plane plane : {stack::Plane::kE, stack::Plane::kH}) {
    const bool isE = plane == stack::Plane::kE;
    const double spacing = isE ? figures.dl6wuELambda : figures.dl6wuHLambda;
    const double x = Crisp(gain.XOf(spacing));
    layout.marks.push_back({plane, MarkKind::kDl6wu, spacing, x});
    draw.Line({{x, gain.area.top}, {x, lobe.area.bottom}},
              PlaneStroke(plane, PlaneColour(plane), kMarkWidth, s));
    // The two letters lean away from each other, so that close marks keep them apart.
    const bool leftOfMark = isE == eFirst;
    draw.Text({leftOfMark ? x - s.S(3.0) : x + s.S(3.0), gain.area.top - s.S(4.0)}, isE ? "E" : "H", font,
              leftOfMark ? Anchor::kEnd : Anchor::kStart, PlaneColour(plane), false, true);
  }

  // The curves: one antenna's cuts first, then the stack's and the lines'.
  for (stack::Plane plane : {stack::Plane::kE, stack::Plane::kH}) {
    const bool isE = plane == stack::Plane::kE;
    draw.Curve(cuts, CutPoints(isE ? figures.singleE : figures.singleH),
               PlaneStroke(plane, SingleColour(plane), kThinWidth, s));
  }
  for (stack::Plane plane : {stack::Plane::kE, stack::Plane::kH}) {
    const bool isE = plane == stack::Plane::kE;
    const Stroke stroke = PlaneStroke(plane, PlaneColour(plane), kCurveWidth, s);
    draw.Curve(cuts, CutPoints(isE ? figures.stackE : figures.stackH), stroke);
    std::vector<Point> gains;
    for (const stack::SweepRow& row : figures.sweep) {
      gains.push_back({row.spacingLambda, isE ? row.gainEDb : row.gainHDb});
    }
    draw.Curve(gain, gains, stroke);
    for (const std::vector<Point>& run : LobeRuns(figures.sweep, plane)) {
      draw.Curve(lobe, run, stroke);
    }
  }

  // The chosen spacings: markers on the gain and lobe curves.
  for (stack::Plane plane : {stack::Plane::kE, stack::Plane::kH}) {
    const bool isE = plane == stack::Plane::kE;
    const double spacing = isE ? figures.chosenELambda : figures.chosenHLambda;
    const double x = gain.XOf(spacing);
    layout.marks.push_back({plane, MarkKind::kChosen, spacing, x});
    const double g = isE ? figures.chosen.gainEDb : figures.chosen.gainHDb;
    layout.markers.push_back({{x, gain.YOf(g)}, s.S(kMarkerSize), PlaneShape(plane), PlaneColour(plane)});
    const std::optional<stack::Lobe>& strongest =
        isE ? figures.chosen.e.strongestLobe : figures.chosen.h.strongestLobe;
    if (strongest) {
      const double level = std::clamp(strongest->levelDb, lobe.yLow, lobe.yHigh);
      layout.markers.push_back(
          {{x, lobe.YOf(level)}, s.S(kMarkerSize), PlaneShape(plane), PlaneColour(plane)});
    }
  }

  for (const Plot* plot : {&gain, &lobe, &cuts}) {
    draw.Frame(*plot);
  }

  // The texts: title, headings, axis titles.
  draw.Text({width / 2.0, titleBaseline}, figures.title, s.S(kTitleFont), Anchor::kMiddle, kInk, false, true);
  const std::string stackName = std::to_string(figures.baysE) + " x " + std::to_string(figures.baysH);
  draw.Text({margin, headingBaseline}, "Each plane's line against spacing", font, Anchor::kStart, kInk, false,
            true);
  draw.Text({rightColumnLeft, headingBaseline}, "Cuts: " + stackName + " stack and one antenna", font,
            Anchor::kStart, kInk, false, true);
  draw.Text({(gain.area.left + gain.area.right) / 2.0, xTitleBaseline}, "spacing (wavelengths)", font,
            Anchor::kMiddle, kInk);
  draw.Text({(cuts.area.left + cuts.area.right) / 2.0, xTitleBaseline}, "angle from boresight (degrees)",
            font, Anchor::kMiddle, kInk);
  const double leftTitleX = margin + font * 0.9;
  draw.Text({leftTitleX, (gain.area.top + gain.area.bottom) / 2.0}, "gain (dB)", font, Anchor::kMiddle, kInk,
            true);
  draw.Text({leftTitleX, (lobe.area.top + lobe.area.bottom) / 2.0}, "strongest lobe (dB)", font,
            Anchor::kMiddle, kInk, true);
  draw.Text({rightColumnLeft + font * 0.9, (cuts.area.top + cuts.area.bottom) / 2.0}, "level (dB)", font,
            Anchor::kMiddle, kInk, true);

  // The legend.
  layout.rectangles.push_back({layout.legend, kWhite, Stroke{kFrame, s.S(1.0), {}}});
  for (std::size_t r = 0; r < rows.size(); ++r) {
    double x = (width - rowWidths[r]) / 2.0;
    const double middle = layout.legend.top + padding + entryHeight * (static_cast<double>(r) + 0.5);
    for (std::size_t i : rows[r]) {
      const LegendEntry& entry = entries[i];
      const double sample = s.S(kLegendSample);
      switch (entry.sample) {
        case Sample::kLine:
          draw.Line({{x, middle}, {x + sample, middle}},
                    PlaneStroke(entry.plane, PlaneColour(entry.plane), kCurveWidth, s));
          break;
        case Sample::kThinLine:
          draw.Line({{x, middle}, {x + sample, middle}},
                    PlaneStroke(entry.plane, SingleColour(entry.plane), kThinWidth, s));
          break;
        case Sample::kMarks:
          for (stack::Plane plane : {stack::Plane::kE, stack::Plane::kH}) {
            const double at = Crisp(x + sample * (plane == stack::Plane::kE ? 0.3 : 0.7));
            draw.Line({{at, middle - font * 0.6}, {at, middle + font * 0.6}},
                      PlaneStroke(plane, PlaneColour(plane), kMarkWidth, s));
          }
          break;
        case Sample::kMarkers:
          for (stack::Plane plane : {stack::Plane::kE, stack::Plane::kH}) {
            const double at = x + sample * (plane == stack::Plane::kE ? 0.25 : 0.75);
            layout.markers.push_back({{at, middle}, s.S(kMarkerSize), PlaneShape(plane), PlaneColour(plane)});
          }
          break;
      }
      draw.Text({x + sample + s.S(6.0), middle + font * 0.35}, entry.text, font, Anchor::kStart, kInk);
      x += entryWidth(entry) + s.S(kLegendEntryGap);
    }
  }
  return layout;
}

}  // namespace lobrin::chart
