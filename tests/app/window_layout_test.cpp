// The window as it appears after start: frame, caption, every control with
// its place, size and text, empty boxes, drawn pictures, and no tooltip.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "calculator_fixture.h"
#include "window_search.h"

namespace lobrin::gui {
namespace {

enum class Kind { Button, Edit, Label, Picture };

struct ExpectedControl {
  Kind kind;
  int left;
  int top;
  int width;   // labels: 0, they take the size of their text
  int height;  // labels: 0
  const char* text;
  bool bold;
};

const ExpectedControl kControls[] = {
    {Kind::Button, 180, 60, 65, 45, "Calculate", true},
    {Kind::Button, 180, 110, 65, 20, "Clear", false},
    {Kind::Button, 590, 0, 55, 20, "Info", false},
    {Kind::Edit, 100, 60, 40, 20, "", false},
    {Kind::Edit, 100, 85, 40, 20, "", false},
    {Kind::Edit, 100, 110, 40, 20, "", false},
    {Kind::Edit, 255, 170, 40, 20, "", false},
    {Kind::Edit, 255, 190, 40, 20, "", false},
    {Kind::Edit, 450, 330, 40, 20, "", false},
    {Kind::Edit, 450, 350, 40, 20, "", false},
    {Kind::Label, 15, 5, 0, 0, "Steps:", true},
    {Kind::Label, 65, 5, 0, 0, "1) Enter -3dB beamwidth(BW) for E- and H-planes", false},
    {Kind::Label, 65, 20, 0, 0, "2) Enter frequency in MHz", false},
    {Kind::Label, 65, 35, 0, 0, "3) Click \"Calculate\"", false},
    {Kind::Label, 350, 5, 0, 0, "Please read info before use the program", true},
    {Kind::Label, 425, 30, 0, 0, "Stacking Distance", true},
    {Kind::Label, 5, 65, 0, 0, "-3 dB BW H-plane:", false},
    {Kind::Label, 145, 65, 0, 0, "deg", false},
    {Kind::Label, 5, 90, 0, 0, "-3 dB BW E-plane:", false},
    {Kind::Label, 145, 90, 0, 0, "deg", false},
    {Kind::Label, 40, 115, 0, 0, "Frequency:", false},
    {Kind::Label, 145, 115, 0, 0, "MHz", false},
    {Kind::Label, 25, 140, 0, 0, "-3 dB BW is the angle between points A and B", false},
    {Kind::Label, 35, 340, 0, 0, "E-plane for Azimuth, H-plane for Elevation ", false},
    {Kind::Label, 35, 355, 0, 0, "You can find it in description of your antenna", false},
    {Kind::Label, 295, 175, 0, 0, "meters", false},
    {Kind::Label, 300, 175, 0, 0, "meters", false},
    {Kind::Label, 300, 195, 0, 0, "ft", false},
    {Kind::Label, 495, 335, 0, 0, "meters", false},
    {Kind::Label, 495, 355, 0, 0, "ft", false},
    {Kind::Label, 555, 355, 0, 0, nullptr, false},  // the author credit, any text
    {Kind::Picture, 245, 45, 395, 320, "", false},
    {Kind::Picture, 40, 150, 205, 220, "", false},
};

const char* ClassPartOf(Kind kind) {
  switch (kind) {
    case Kind::Button:
      return "BUTTON";
    case Kind::Edit:
      return "EDIT";
    default:
      return "STATIC";
  }
}

// The child of the given class part whose top-left corner is at (left, top).
const ChildControl* FindChild(const std::vector<ChildControl>& children, Kind kind, int left,
                              int top) {
  for (const ChildControl& child : children) {
    if (child.rect.left == left && child.rect.top == top &&
        child.className.find(ClassPartOf(kind)) != std::string::npos) {
      return &child;
    }
  }
  return nullptr;
}

// The form's font, MS Sans Serif at 8 points, regular or bold.
LOGFONTA FormFont(bool bold) {
  LOGFONTA font = {};
  HDC screen = GetDC(nullptr);
  const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  font.lfHeight = -((8 * pixelsPerInch + 36) / 72);
  font.lfWeight = bold ? 700 : 0;
  font.lfCharSet = 1;
  lstrcpyA(font.lfFaceName, "MS Sans Serif");
  return font;
}

// The label font: the one the label reports when its description can be read
// here (a font handle of another process usually cannot), else the form's font.
LOGFONTA LabelFont(HWND label, bool bold) {
  LRESULT handle = 0;
  LOGFONTA font = {};
  if (SendWithTimeout(label, WM_GETFONT, 0, 0, &handle) && handle != 0 &&
      GetObjectType(reinterpret_cast<HGDIOBJ>(handle)) == OBJ_FONT &&
      GetObjectA(reinterpret_cast<HGDIOBJ>(handle), sizeof font, &font) == sizeof font &&
      std::string(font.lfFaceName) == "MS Sans Serif") {
    return font;
  }
  return FormFont(bold);
}

SIZE TextExtent(const std::string& text, const LOGFONTA& description) {
  SIZE size = {};
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontIndirectA(&description);
  HGDIOBJ previous = SelectObject(dc, font);
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(dc, previous);
  DeleteObject(font);
  DeleteDC(dc);
  return size;
}

// The colours of the screen inside `rect` (screen coordinates), as 0xRRGGBB.
std::vector<unsigned> ScreenPixels(const RECT& rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  std::vector<unsigned> pixels(static_cast<size_t>(width) * height);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, previous);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  for (unsigned& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

// The number of columns of a width x height picture that hold a pixel of
// text: the width of the ink, which bold type widens.
int InkWidth(const std::vector<unsigned>& pixels, int width, int height) {
  int first = width, last = -1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned pixel = pixels[static_cast<size_t>(y) * width + x];
      if ((pixel >> 16 & 0xFF) + (pixel >> 8 & 0xFF) + (pixel & 0xFF) < 500) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
    }
  }
  return last < first ? 0 : last - first + 1;
}

// The ink width of `text` drawn in black on white.
int InkWidthOfText(const std::string& text, const LOGFONTA& description) {
  const SIZE size = TextExtent(text, description);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
  HFONT font = CreateFontIndirectA(&description);
  HGDIOBJ previousFont = SelectObject(dc, font);
  RECT all = {0, 0, size.cx, size.cy};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, 0, 0, text.data(), static_cast<int>(text.size()));
  GdiFlush();
  const auto* first = static_cast<const unsigned*>(bits);
  std::vector<unsigned> pixels(first, first + static_cast<size_t>(size.cx) * size.cy);
  for (unsigned& pixel : pixels) pixel &= 0xFFFFFF;
  SelectObject(dc, previousFont);
  DeleteObject(font);
  SelectObject(dc, previousBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return InkWidth(pixels, size.cx, size.cy);
}

using WindowTest = CalculatorTest;

TEST_F(WindowTest, FixedFrameAtTheOrigin) {
  HWND main = calc().MainWindow();
  RECT rect = {};
  ASSERT_TRUE(GetWindowRect(main, &rect));
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right - rect.left, 654);
  EXPECT_EQ(rect.bottom - rect.top, 407);
  EXPECT_EQ(TextOf(main), "Lobrin v1.05");

  const LONG style = GetWindowLongA(main, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
}

TEST_F(WindowTest, ThirtyThreeControlsOfThreeKinds) {
  int buttons = 0, edits = 0, statics = 0;
  const std::vector<ChildControl> children = ChildControlsOf(calc().MainWindow());
  for (const ChildControl& child : children) {
    if (child.className.find("BUTTON") != std::string::npos) ++buttons;
    if (child.className.find("EDIT") != std::string::npos) ++edits;
    if (child.className.find("STATIC") != std::string::npos) ++statics;
  }
  EXPECT_EQ(children.size(), 33u);
  EXPECT_EQ(buttons, 3);
  EXPECT_EQ(edits, 7);
  EXPECT_EQ(statics, 21 + 2);
}

TEST_F(WindowTest, EveryControlInItsPlaceWithItsText) {
  const std::vector<ChildControl> children = ChildControlsOf(calc().MainWindow());
  for (const ExpectedControl& expected : kControls) {
    SCOPED_TRACE(std::string(ClassPartOf(expected.kind)) + " at " +
                 std::to_string(expected.left) + "," + std::to_string(expected.top));
    const ChildControl* child = FindChild(children, expected.kind, expected.left, expected.top);
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(IsWindowVisible(child->window));
    const std::string text = TextOf(child->window);
    if (expected.text != nullptr) {
      EXPECT_EQ(text, expected.text);
    } else {
      EXPECT_NE(text.find("2014"), std::string::npos) << text;
    }

    int width = expected.width;
    int height = expected.height;
    if (expected.kind == Kind::Label) {
      const SIZE extent = TextExtent(text, LabelFont(child->window, expected.bold));
      width = extent.cx + 1;
      height = extent.cy + 1;
    }
    EXPECT_EQ(child->rect.right - child->rect.left, width);
    EXPECT_EQ(child->rect.bottom - child->rect.top, height);
  }
}

TEST_F(WindowTest, PicturesAreDrawn) {
  ASSERT_TRUE(calc().Responsive());
  Sleep(200);  // let the first paint reach the screen
  struct Picture {
    int left, top, width, height;
    bool hasRed;  // the points A and B of the beamwidth plot are red
  };
  for (const Picture& picture :
       {Picture{245, 45, 395, 320, false}, Picture{40, 150, 205, 220, true}}) {
    SCOPED_TRACE("picture at " + std::to_string(picture.left) + "," + std::to_string(picture.top));
    RECT rect = {picture.left, picture.top, picture.left + picture.width,
                 picture.top + picture.height};
    MapWindowPoints(calc().MainWindow(), HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    int dark = 0, light = 0, red = 0;
    for (unsigned pixel : ScreenPixels(rect)) {
      const unsigned r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
      if (r + g + b < 200) ++dark;
      if (r > 230 && g > 230 && b > 230) ++light;
      if (r > 160 && g < 100 && b < 100) ++red;
    }
    EXPECT_GT(dark, 100) << "no line drawing";
    EXPECT_GT(light, picture.width * picture.height / 4) << "no white paper";
    if (picture.hasRed) {
      EXPECT_GT(red, 4) << "no red marks";
    }
  }
}

// The caption of Calculate is bold: its ink is as wide as "Calculate" drawn
// in the bold form font, not the regular one.
TEST_F(WindowTest, CalculateCaptionIsBold) {
  ASSERT_TRUE(calc().Click(Button::Clear));  // takes the focus frame off Calculate
  Sleep(200);
  RECT inside = {};
  GetWindowRect(calc().ButtonWindow(Button::Calculate), &inside);
  InflateRect(&inside, -5, -5);
  const int shown =
      InkWidth(ScreenPixels(inside), inside.right - inside.left, inside.bottom - inside.top);
  const int bold = InkWidthOfText("Calculate", FormFont(true));
  const int regular = InkWidthOfText("Calculate", FormFont(false));
  ASSERT_NE(bold, regular);
  EXPECT_LT(std::abs(shown - bold), std::abs(shown - regular))
      << "the caption is " << shown << " pixels wide; bold it would be " << bold
      << ", regular " << regular;
}

TEST_F(WindowTest, NoTooltipWindow) {
  for (HWND window : TopLevelWindowsOf(calc().Process().Id())) {
    EXPECT_NE(ClassOf(window), "tooltips_class32");
  }
}

}  // namespace
}  // namespace lobrin::gui
