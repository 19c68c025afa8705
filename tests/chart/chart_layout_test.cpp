// The chart's layout: ticks that cover the data, the marks where their
// spacings are, every curve inside its plot, and the legend clear of the rest.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chart/chart_layout.h"
#include "tests/chart/chart_sample.h"

namespace lobrin::chart {
namespace {

TEST(NiceTicks, CoverTheRangeInFewRoundSteps) {
  struct Case {
    double low;
    double high;
    int most;
    std::vector<double> ticks;
  };
  const Case cases[] = {
      {0.0, 3.0, 8, {0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0}},
      {0.0, 2.51, 8, {0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0}},
      {-40.0, 0.0, 4, {-40.0, -30.0, -20.0, -10.0, 0.0}},
      {-0.01, 6.13, 5, {-2.0, 0.0, 2.0, 4.0, 6.0, 8.0}},
      {0.0, 130.0, 8, {0.0, 20.0, 40.0, 60.0, 80.0, 100.0, 120.0, 140.0}},
      {0.0, 0.9, 4, {0.0, 0.25, 0.5, 0.75, 1.0}},
      {3.0, 3.0, 4, {2.0, 2.5, 3.0, 3.5, 4.0}},  // one value: widened by its unit
      {0.0, 0.0, 4, {-1.0, -0.5, 0.0, 0.5, 1.0}},
  };
  for (const Case& c : cases) {
    const std::vector<double> ticks = NiceTicks(c.low, c.high, c.most);
    ASSERT_EQ(ticks.size(), c.ticks.size()) << c.low << ".." << c.high;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
      EXPECT_NEAR(ticks[i], c.ticks[i], 1e-12) << c.low << ".." << c.high << " tick " << i;
    }
  }
}

// A chart at several sizes and scales, each checked for the same properties.
struct Canvas {
  double width;
  double height;
  double scale;
};
const Canvas kCanvases[] = {{960, 600, 1.0}, {640, 420, 1.0}, {1440, 900, 1.5}, {1920, 1200, 2.0}};

bool Inside(const Box& outer, const Box& inner) {
  return inner.left >= outer.left - 1e-9 && inner.right <= outer.right + 1e-9 &&
         inner.top >= outer.top - 1e-9 && inner.bottom <= outer.bottom + 1e-9;
}

TEST(ChartLayout, TicksCoverTheDataAndTheMarks) {
  const Figures figures = SampleFigures();
  for (const Canvas& canvas : kCanvases) {
    const Layout layout = LayOut(figures, canvas.width, canvas.height, canvas.scale);
    for (const Plot* plot : {&layout.gain, &layout.lobe, &layout.cuts}) {
      ASSERT_GE(plot->xTicks.size(), 2u);
      ASSERT_GE(plot->yTicks.size(), 2u);
      EXPECT_EQ(plot->xTicks.front(), plot->xLow);
      EXPECT_EQ(plot->xTicks.back(), plot->xHigh);
      EXPECT_EQ(plot->yTicks.front(), plot->yLow);
      EXPECT_EQ(plot->yTicks.back(), plot->yHigh);
    }
    for (const stack::SweepRow& row : figures.sweep) {
      EXPECT_GE(row.spacingLambda, layout.gain.xLow);
      EXPECT_LE(row.spacingLambda, layout.gain.xHigh);
      for (double gain : {row.gainEDb, row.gainHDb}) {
        EXPECT_GE(gain, layout.gain.yLow);
        EXPECT_LE(gain, layout.gain.yHigh);
      }
    }
    EXPECT_EQ(layout.lobe.yLow, kFloorDb);
    EXPECT_EQ(layout.lobe.yHigh, 0.0);
    EXPECT_EQ(layout.cuts.xLow, -180.0);
    EXPECT_EQ(layout.cuts.xHigh, 180.0);
    EXPECT_LE(figures.dl6wuELambda, layout.gain.xHigh);
  }
}

TEST(ChartLayout, MarksStandAtTheirSpacings) {
  const Figures figures = SampleFigures();
  for (const Canvas& canvas : kCanvases) {
    const Layout layout = LayOut(figures, canvas.width, canvas.height, canvas.scale);
    struct Expected {
      stack::Plane plane;
      MarkKind kind;
      double spacing;
    };
    const Expected expected[] = {
        {stack::Plane::kE, MarkKind::kDl6wu, figures.dl6wuELambda},
        {stack::Plane::kH, MarkKind::kDl6wu, figures.dl6wuHLambda},
        {stack::Plane::kE, MarkKind::kChosen, figures.chosenELambda},
        {stack::Plane::kH, MarkKind::kChosen, figures.chosenHLambda},
    };
    for (const Expected& e : expected) {
      int found = 0;
      for (const SpacingMark& mark : layout.marks) {
        if (mark.plane == e.plane && mark.kind == e.kind) {
          ++found;
          EXPECT_EQ(mark.spacingLambda, e.spacing);
          // The line is drawn on a pixel's centre: half a pixel from the exact place at most.
          EXPECT_NEAR(mark.x, layout.gain.XOf(e.spacing), 0.5 + 1e-9);
          if (e.kind == MarkKind::kDl6wu) {
            EXPECT_EQ(mark.x - std::floor(mark.x), 0.5);
          }
        }
      }
      EXPECT_EQ(found, 1);
    }
    // The E mark of the sample lies right of the H mark, 0.12 wavelengths apart.
    EXPECT_GT(layout.marks[0].x, layout.marks[1].x);
  }
}

TEST(ChartLayout, CurvesStayInsideTheirPlots) {
  Figures figures = SampleFigures();
  // Values beyond the axes: a lobe level above 0 dB, a cut below the floor.
  figures.sweep[10].lobeEDb = 3.0;
  figures.stackE[5].levelDb = -90.0;
  for (const Canvas& canvas : kCanvases) {
    const Layout layout = LayOut(figures, canvas.width, canvas.height, canvas.scale);
    // Two gain curves, two cuts of the stack and two of one antenna, and at least one lobe run per plane.
    ASSERT_GE(layout.curves.size(), 8u);
    for (std::size_t index : layout.curves) {
      const Polyline& curve = layout.lines[index];
      const Plot* home = nullptr;
      for (const Plot* plot : {&layout.gain, &layout.lobe, &layout.cuts}) {
        if (plot->area.Contains(curve.points.front())) {
          home = plot;
        }
      }
      ASSERT_NE(home, nullptr) << "curve " << index;
      for (const Point& p : curve.points) {
        EXPECT_TRUE(home->area.Contains(p)) << "curve " << index << " at " << p.x << "," << p.y;
      }
    }
  }
}

TEST(ChartLayout, LegendAndTextsKeepClear) {
  const Figures figures = SampleFigures();
  for (const Canvas& canvas : kCanvases) {
    const Layout layout = LayOut(figures, canvas.width, canvas.height, canvas.scale);
    const Box whole{0.0, 0.0, canvas.width, canvas.height};
    EXPECT_TRUE(Inside(whole, layout.legend));
    for (const Plot* plot : {&layout.gain, &layout.lobe, &layout.cuts}) {
      EXPECT_TRUE(Inside(whole, plot->area));
      EXPECT_FALSE(plot->area.Overlaps(layout.legend));
    }
    EXPECT_FALSE(layout.gain.area.Overlaps(layout.lobe.area));
    EXPECT_FALSE(layout.gain.area.Overlaps(layout.cuts.area));
    std::vector<Box> outside;  // the texts outside the legend
    std::vector<std::string> texts;
    for (const Label& label : layout.labels) {
      const Box extent = ExtentOf(label);
      EXPECT_TRUE(Inside(whole, extent)) << label.text << " at " << canvas.width;
      if (!Inside(layout.legend, extent)) {
        EXPECT_FALSE(extent.Overlaps(layout.legend)) << label.text;
        for (const Plot* plot : {&layout.gain, &layout.lobe, &layout.cuts}) {
          EXPECT_FALSE(extent.Overlaps(plot->area)) << label.text << " at " << canvas.width;
        }
        outside.push_back(extent);
        texts.push_back(label.text);
      }
    }
    for (std::size_t i = 0; i < outside.size(); ++i) {
      for (std::size_t j = i + 1; j < outside.size(); ++j) {
        EXPECT_FALSE(outside[i].Overlaps(outside[j]))
            << texts[i] << " and " << texts[j] << " at " << canvas.width;
      }
    }
    for (std::size_t index : layout.curves) {
      for (const Point& p : layout.lines[index].points) {
        EXPECT_FALSE(layout.legend.Contains(p));
      }
    }
  }
}

TEST(ChartLayout, PlanesDifferInColourAndDash) {
  const Layout layout = LayOut(SampleFigures(), 960, 600);
  // The gain curves are the first two curves in the gain plot: E first.
  std::vector<const Polyline*> gains;
  for (std::size_t index : layout.curves) {
    if (layout.gain.area.Contains(layout.lines[index].points.front())) {
      gains.push_back(&layout.lines[index]);
    }
  }
  ASSERT_EQ(gains.size(), 2u);
  EXPECT_FALSE(gains[0]->stroke.colour == gains[1]->stroke.colour);
  EXPECT_TRUE(gains[0]->stroke.dash.empty());
  EXPECT_FALSE(gains[1]->stroke.dash.empty());
}

}  // namespace
}  // namespace lobrin::chart
