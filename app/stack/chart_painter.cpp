#include "app/stack/chart_painter.h"

#include <cmath>
#include <vector>

namespace lobrin::stackwin {

namespace {

// The face the chart's texts are drawn in: a sans-serif that Windows and Wine both have.
constexpr char kChartFace[] = "Arial";
constexpr int kUprightEscapement = 900;  // tenths of a degree: a quarter turn anticlockwise
constexpr chart::Rgb kReasonColour{0x80, 0x00, 0x00};
constexpr chart::Rgb kWhite{0xFF, 0xFF, 0xFF};

int Pixel(double value) { return static_cast<int>(std::lround(value)); }
COLORREF ColourOf(const chart::Rgb& rgb) { return RGB(rgb.r, rgb.g, rgb.b); }

// A GDI object selected into a context for one scope, then deselected and deleted.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), object_(object), previous_(SelectObject(dc, object)) {}
  ~Selected() {
    SelectObject(dc_, previous_);
    DeleteObject(object_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ object_;    // owned
  HGDIOBJ previous_;  // borrowed
};

// A pen of the stroke's colour and width; its dashes, when it has any, in the layout's lengths.
HPEN PenOf(const chart::Stroke& stroke) {
  LOGBRUSH brush = {BS_SOLID, ColourOf(stroke.colour), 0};
  const DWORD width = static_cast<DWORD>(std::max(1, Pixel(stroke.width)));
  if (stroke.dash.empty()) {
    return ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_ROUND, width, &brush, 0, nullptr);
  }
  std::vector<DWORD> dashes;
  dashes.reserve(stroke.dash.size());
  for (double length : stroke.dash) {
    dashes.push_back(static_cast<DWORD>(std::max(1, Pixel(length))));
  }
  return ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT | PS_JOIN_ROUND, width, &brush,
                      static_cast<DWORD>(dashes.size()), dashes.data());
}

HBRUSH BrushOf(const std::optional<chart::Rgb>& fill) {
  return fill ? CreateSolidBrush(ColourOf(*fill)) : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void PaintRectangle(HDC dc, const chart::Rectangle& rectangle) {
  const RECT box = {Pixel(rectangle.box.left), Pixel(rectangle.box.top), Pixel(rectangle.box.right),
                    Pixel(rectangle.box.bottom)};
  if (rectangle.fill) {
    const HBRUSH brush = CreateSolidBrush(ColourOf(*rectangle.fill));
    FillRect(dc, &box, brush);
    DeleteObject(brush);
  }
  if (rectangle.outline) {
    Selected pen(dc, PenOf(*rectangle.outline));
    const HGDIOBJ previous = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    SelectObject(dc, previous);
  }
}

void PaintLine(HDC dc, const chart::Polyline& line) {
  if (line.points.size() < 2) {
    return;
  }
  std::vector<POINT> points;
  points.reserve(line.points.size());
  for (const chart::Point& point : line.points) {
    points.push_back({Pixel(point.x), Pixel(point.y)});
  }
  Selected pen(dc, PenOf(line.stroke));
  Polyline(dc, points.data(), static_cast<int>(points.size()));
}

void PaintMarker(HDC dc, const chart::Marker& marker) {
  Selected pen(dc, CreatePen(PS_SOLID, 1, ColourOf(kWhite)));
  Selected brush(dc, BrushOf(marker.fill));
  const double half = marker.size / 2.0;
  const int left = Pixel(marker.centre.x - half);
  const int top = Pixel(marker.centre.y - half);
  const int right = Pixel(marker.centre.x + half);
  const int bottom = Pixel(marker.centre.y + half);
  if (marker.shape == chart::MarkerShape::kCircle) {
    Ellipse(dc, left, top, right + 1, bottom + 1);
  } else {
    Rectangle(dc, left, top, right + 1, bottom + 1);
  }
}

UINT AlignOf(chart::Anchor anchor) {
  switch (anchor) {
    case chart::Anchor::kStart: return TA_LEFT;
    case chart::Anchor::kMiddle: return TA_CENTER;
    case chart::Anchor::kEnd: return TA_RIGHT;
  }
  return TA_LEFT;
}

HFONT FontOf(double size, bool bold, bool upright) {
  const int escapement = upright ? kUprightEscapement : 0;
  return CreateFontA(-std::max(1, Pixel(size)), 0, escapement, escapement, bold ? FW_BOLD : FW_NORMAL, FALSE,
                     FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                     VARIABLE_PITCH | FF_SWISS, kChartFace);
}

void PaintLabel(HDC dc, const chart::Label& label) {
  Selected font(dc, FontOf(label.size, label.bold, label.upright));
  SetTextColor(dc, ColourOf(label.colour));
  SetTextAlign(dc, AlignOf(label.anchor) | TA_BASELINE | TA_NOUPDATECP);
  TextOutA(dc, Pixel(label.at.x), Pixel(label.at.y), label.text.data(), static_cast<int>(label.text.size()));
}

}  // namespace

void PaintChart(HDC dc, const chart::Layout& layout) {
  const RECT all = {0, 0, Pixel(layout.width), Pixel(layout.height)};
  const HBRUSH background = CreateSolidBrush(ColourOf(layout.background));
  FillRect(dc, &all, background);
  DeleteObject(background);
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  for (const chart::Rectangle& rectangle : layout.rectangles) {
    PaintRectangle(dc, rectangle);
  }
  for (const chart::Polyline& line : layout.lines) {
    PaintLine(dc, line);
  }
  for (const chart::Marker& marker : layout.markers) {
    PaintMarker(dc, marker);
  }
  for (const chart::Label& label : layout.labels) {
    PaintLabel(dc, label);
  }
  SetBkMode(dc, previousMode);
}

void PaintReason(HDC dc, int width, int height, const std::string& reason, int fontHeight) {
  RECT all = {0, 0, width, height};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  Selected font(dc, FontOf(fontHeight, true, false));
  SetTextColor(dc, ColourOf(kReasonColour));
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, reason.data(), static_cast<int>(reason.size()), &all,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetBkMode(dc, previousMode);
}

}  // namespace lobrin::stackwin
