// The SVG writer: escaped texts, a document an XML parser reads, and a real
// renderer (rsvg-convert) drawing the DL6WU marks where the layout puts them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "chart/chart_figures.h"
#include "chart/chart_layout.h"
#include "chart/svg.h"
#include "tests/chart/chart_sample.h"

namespace lobrin::chart {
namespace {

TEST(Svg, EscapesEveryText) {
  const struct {
    std::string text;
    std::string escaped;
  } cases[] = {
      {"gain (dB)", "gain (dB)"},
      {"a<b & c>d", "a&lt;b &amp; c&gt;d"},
      {"\"E\" 'H'", "&quot;E&quot; &apos;H&apos;"},
      {"30\xC2\xB0", "30??"},  // not ASCII: one "?" a byte
      {std::string("a\0b\n", 4), "a?b?"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(XmlEscaped(c.text), c.escaped) << c.text;
  }
}

// The output of `command`, and whether it ended with status 0.
bool RunShell(const std::string& command, std::string& output) {
  output.clear();
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return false;
  }
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    output.append(buffer, n);
  }
  return pclose(pipe) == 0;
}

std::string WriteTemp(const std::string& name, const std::string& text) {
  std::string path = testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

TEST(Svg, IsWellFormedXmlWithEveryShape) {
  Figures figures = SampleFigures();
  figures.title = "2 x 2 <stack> & \"one\" antenna";
  const Layout layout = LayOut(figures, 800, 500);
  const std::string path = WriteTemp("chart_parse.svg", SvgOf(layout));
  // Python's own XML parser counts the elements of each kind.
  std::string counts;
  ASSERT_TRUE(
      RunShell("python3 -c 'import collections, sys, xml.etree.ElementTree as E\n"
               "root = E.parse(sys.argv[1]).getroot()\n"
               "tags = collections.Counter(e.tag.split(\"}\")[1] for e in root.iter())\n"
               "title = [e.text for e in root.iter() if e.tag.endswith(\"text\")]\n"
               "print(root.tag, tags[\"polyline\"], tags[\"text\"], title.count(sys.argv[2]))' " +
                   path + " '2 x 2 <stack> & \"one\" antenna'",
               counts))
      << counts;
  std::size_t circles = 0;
  for (const Marker& m : layout.markers) {
    circles += m.shape == MarkerShape::kCircle ? 1 : 0;
  }
  EXPECT_GT(circles, 0u);
  EXPECT_EQ(counts, "{http://www.w3.org/2000/svg}svg " + std::to_string(layout.lines.size()) + " " +
                        std::to_string(layout.labels.size()) + " 1\n");
}

// An image read from a binary PPM (P6), as ImageMagick writes one.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
  Rgb At(int x, int y) const {
    const std::size_t at = 3 * (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x);
    return {rgb[at], rgb[at + 1], rgb[at + 2]};
  }
};

bool ReadPpm(const std::string& path, Image& image) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int most = 0;
  in >> magic >> image.width >> image.height >> most;
  in.get();
  if (magic != "P6" || most != 255) {
    return false;
  }
  image.rgb.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return image.rgb.size() ==
         3u * static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
}

bool Near(Rgb a, Rgb b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) <= 60; }

// The share of the rows of a plot's column x that have the colour `colour`.
double ColumnShare(const Image& image, int x, const Plot& plot, Rgb colour) {
  int hits = 0;
  int rows = 0;
  for (int y = static_cast<int>(plot.area.top) + 2; y < static_cast<int>(plot.area.bottom) - 1; ++y) {
    ++rows;
    hits += Near(image.At(x, y), colour) ? 1 : 0;
  }
  return static_cast<double>(hits) / rows;
}

// The worked example, 2 x 2 at the DL6WU distances of 30 (E) and 32 (H)
// degrees, drawn by rsvg-convert: each DL6WU line covers its pixel column
// in both left plots (the H line in dashes), and the columns beside it do not
// have its colour.
TEST(Svg, RendererDrawsTheDl6wuMarksWhereTheLayoutPutsThem) {
  stack::Stack stack;
  stack.antenna.beamwidthEDeg = 30.0;
  stack.antenna.beamwidthHDeg = 32.0;
  stack.spacingELambda = 1.93185165257814;
  stack.spacingHLambda = 1.81397763927165;
  const Figures figures = FiguresOf(stack, stack.spacingELambda, stack.spacingHLambda, DefaultSweep(1.94),
                                    "2 x 2 stack: H-plane 32 deg, E-plane 30 deg");
  const Layout layout = LayOut(figures, 960, 600);
  const std::string svg = WriteTemp("chart_render.svg", SvgOf(layout));
  const std::string png = testing::TempDir() + "chart_render.png";
  const std::string ppm = testing::TempDir() + "chart_render.ppm";
  std::string said;
  ASSERT_TRUE(RunShell("rsvg-convert " + svg + " -o " + png + " 2>&1", said)) << said;
  ASSERT_TRUE(RunShell("convert " + png + " -background white -alpha remove ppm:" + ppm + " 2>&1", said))
      << said;
  Image image;
  ASSERT_TRUE(ReadPpm(ppm, image));
  ASSERT_EQ(image.width, 960);
  ASSERT_EQ(image.height, 600);
  const Rgb blue{0, 114, 178};
  const Rgb vermilion{213, 94, 0};
  int checked = 0;
  for (const SpacingMark& mark : layout.marks) {
    if (mark.kind != MarkKind::kDl6wu) {
      continue;
    }
    const bool isE = mark.plane == stack::Plane::kE;
    const Rgb colour = isE ? blue : vermilion;
    const int x = static_cast<int>(mark.x);  // the column whose centre the line is drawn on
    for (const Plot* plot : {&layout.gain, &layout.lobe}) {
      EXPECT_GT(ColumnShare(image, x, *plot, colour), isE ? 0.8 : 0.45) << (isE ? "E" : "H") << " at " << x;
      // Away from the line, on its far side from the other plane's line.
      const int away = isE ? x + 5 : x - 5;
      EXPECT_LT(ColumnShare(image, away, *plot, colour), 0.1) << (isE ? "E" : "H") << " beside " << x;
    }
    ++checked;
  }
  EXPECT_EQ(checked, 2);
}

}  // namespace
}  // namespace lobrin::chart
