// The window as it appears after start: frame, caption, every control with
// its place, size and text, empty boxes, drawn pictures, and no tooltip; and
// after a Calculate, the colours of every box and label as the screen shows them.
// (That the caption of Calculate is bold is checked in calculator_form_test.)

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>
#include <string>
#include <utility>
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
  return kind == Kind::Button ? "BUTTON" : kind == Kind::Edit ? "EDIT" : "STATIC";
}

// The extent of `text` in the label's font: the one the label reports when its
// description can be read here (a font handle of another process usually
// cannot), else the form's, MS Sans Serif at 8 points.
SIZE LabelTextExtent(HWND label, const std::string& text, bool bold) {
  LRESULT handle = 0;
  LOGFONTA description = {};
  if (!SendWithTimeout(label, WM_GETFONT, 0, 0, &handle) || handle == 0 ||
      GetObjectType(reinterpret_cast<HGDIOBJ>(handle)) != OBJ_FONT ||
      GetObjectA(reinterpret_cast<HGDIOBJ>(handle), sizeof description, &description) != sizeof description ||
      std::string(description.lfFaceName) != "MS Sans Serif") {
    HDC screen = GetDC(nullptr);
    description = {};
    description.lfHeight = -((8 * GetDeviceCaps(screen, LOGPIXELSY) + 36) / 72);
    ReleaseDC(nullptr, screen);
    description.lfWeight = bold ? 700 : 0;
    description.lfCharSet = 1;
    lstrcpyA(description.lfFaceName, "MS Sans Serif");
  }
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
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const auto* first = static_cast<const unsigned*>(bits);
  std::vector<unsigned> pixels(first, first + static_cast<size_t>(width) * height);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// The colours of every box and label after a Calculate: the text in its ink
// (RGB) on its paper (a system colour, as the user's settings make it).
struct ExpectedColours {
  Kind kind;
  int left;
  int top;
  COLORREF ink;
  int paper;
};

constexpr COLORREF kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

const ExpectedColours kColours[] = {
    {Kind::Edit, 100, 60, kBlack, COLOR_WINDOW},     // H-plane beamwidth
    {Kind::Edit, 100, 85, kBlack, COLOR_WINDOW},     // E-plane beamwidth
    {Kind::Edit, 100, 110, kBlack, COLOR_WINDOW},    // frequency
    {Kind::Edit, 255, 170, kRed, COLOR_WINDOW},      // H-plane metres
    {Kind::Edit, 255, 190, kBlue, COLOR_WINDOW},     // H-plane feet
    {Kind::Edit, 450, 330, kRed, COLOR_WINDOW},      // E-plane metres
    {Kind::Edit, 450, 350, kBlue, COLOR_WINDOW},     // E-plane feet
    {Kind::Label, 15, 5, kBlue, COLOR_BTNFACE},      // Steps:
    {Kind::Label, 65, 5, kBlue, COLOR_BTNFACE},      // 1) Enter ...
    {Kind::Label, 65, 20, kBlue, COLOR_BTNFACE},     // 2) Enter ...
    {Kind::Label, 65, 35, kBlue, COLOR_BTNFACE},     // 3) Click ...
    {Kind::Label, 350, 5, kRed, COLOR_BTNFACE},      // Please read info ...
    {Kind::Label, 425, 30, kBlack, COLOR_BTNFACE},   // Stacking Distance
    {Kind::Label, 5, 65, kBlack, COLOR_BTNFACE},     // -3 dB BW H-plane:
    {Kind::Label, 145, 65, kBlack, COLOR_BTNFACE},   // deg
    {Kind::Label, 5, 90, kBlack, COLOR_BTNFACE},     // -3 dB BW E-plane:
    {Kind::Label, 145, 90, kBlack, COLOR_BTNFACE},   // deg
    {Kind::Label, 40, 115, kBlack, COLOR_BTNFACE},   // Frequency:
    {Kind::Label, 145, 115, kBlack, COLOR_BTNFACE},  // MHz
    {Kind::Label, 25, 140, kBlack, COLOR_BTNFACE},   // -3 dB BW is the angle ...
    {Kind::Label, 35, 340, kBlack, COLOR_BTNFACE},   // E-plane for Azimuth ...
    {Kind::Label, 35, 355, kBlack, COLOR_BTNFACE},   // You can find it ...
    {Kind::Label, 295, 175, kBlack, COLOR_BTNFACE},  // meters
    {Kind::Label, 300, 175, kBlack, COLOR_BTNFACE},  // meters
    {Kind::Label, 300, 195, kBlack, COLOR_BTNFACE},  // ft
    {Kind::Label, 495, 335, kBlack, COLOR_BTNFACE},  // meters
    {Kind::Label, 495, 355, kBlack, COLOR_BTNFACE},  // ft
    {Kind::Label, 555, 355, kBlack, COLOR_BTNFACE},  // the author credit
};

// A screen pixel (0xRRGGBB) as "#RRGGBB".
std::string HexOf(unsigned rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", rgb & 0xFFFFFF);
  return text;
}

// A COLORREF (0x00BBGGRR) as a screen pixel.
unsigned PixelOf(COLORREF colour) {
  return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

// What the screen shows inside a control's client area: its most frequent
// colour (the paper) and the most frequent other one (the ink: anti-aliased
// text has shades of it, but the pure ink is the commonest non-paper colour).
struct SeenColours {
  std::string paper;
  std::string ink;
  int inkPixels = 0;
};

SeenColours ColoursOnScreen(HWND control) {
  RECT rect = {};
  GetClientRect(control, &rect);
  MapWindowPoints(control, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
  std::map<unsigned, int> counts;
  for (unsigned pixel : ScreenPixels(rect)) {
    ++counts[pixel & 0xFFFFFF];
  }
  std::vector<std::pair<int, unsigned>> byCount;  // (pixels, colour), the commonest first
  byCount.reserve(counts.size());
  for (const auto& [colour, count] : counts) {
    byCount.emplace_back(count, colour);
  }
  std::sort(byCount.rbegin(), byCount.rend());
  SeenColours seen = {byCount.empty() ? "none" : HexOf(byCount[0].second), "none", 0};
  if (byCount.size() > 1) {
    seen.ink = HexOf(byCount[1].second);
    seen.inkPixels = byCount[1].first;
  }
  return seen;
}

using WindowTest = CalculatorTest;

TEST_F(WindowTest, FixedFrameAtTheOriginWithoutTooltip) {
  HWND main = calc().MainWindow();
  RECT rect = {};
  ASSERT_TRUE(GetWindowRect(main, &rect));
  const std::vector<LONG> place = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
  EXPECT_EQ(place, (std::vector<LONG>{0, 0, 654, 407}));
  EXPECT_EQ(TextOf(main), "Lobrin v1.05");
  const DWORD frame = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;
  EXPECT_EQ(GetWindowLongA(main, GWL_STYLE) & frame,
            static_cast<LONG>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
  for (HWND window : TopLevelWindowsOf(calc().Process().Id())) {
    EXPECT_NE(ClassOf(window), "tooltips_class32");
  }
}

// The 33 children are the 33 rows: 3 buttons, 7 edits, 21 labels, 2 pictures.
TEST_F(WindowTest, EveryControlInItsPlaceWithItsText) {
  HWND main = calc().MainWindow();
  EXPECT_EQ(ChildControlsOf(main).size(), std::size(kControls));
  for (const ExpectedControl& expected : kControls) {
    SCOPED_TRACE(std::string(ClassPartOf(expected.kind)) + " at " + std::to_string(expected.left) + "," +
                 std::to_string(expected.top));
    HWND child = ControlAt(main, expected.left, expected.top, ClassPartOf(expected.kind));
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(IsWindowVisible(child));
    const std::string text = TextOf(child);
    if (expected.text != nullptr) {
      EXPECT_EQ(text, expected.text);
    } else {
      EXPECT_NE(text.find("2014"), std::string::npos) << text;
    }
    SIZE size = {expected.width, expected.height};
    if (expected.kind == Kind::Label) {
      size = LabelTextExtent(child, text, expected.bold);
      ++size.cx, ++size.cy;
    }
    const RECT rect = RectInParent(main, child);
    EXPECT_EQ(rect.right - rect.left, size.cx);
    EXPECT_EQ(rect.bottom - rect.top, size.cy);
  }
}

TEST_F(WindowTest, PicturesAreDrawn) {
  struct Picture {
    int left, top, width, height;
    bool hasRed;  // the points A and B of the beamwidth plot are red
  };
  struct Ink {
    int dark = 0, light = 0, red = 0;
  };
  for (const Picture& picture : {Picture{245, 45, 395, 320, false}, Picture{40, 150, 205, 220, true}}) {
    SCOPED_TRACE("picture at " + std::to_string(picture.left) + "," + std::to_string(picture.top));
    RECT rect = {picture.left, picture.top, picture.left + picture.width, picture.top + picture.height};
    MapWindowPoints(calc().MainWindow(), HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    Ink ink;
    const auto drawn = [&] {
      ink = Ink{};
      for (unsigned pixel : ScreenPixels(rect)) {
        const unsigned r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
        if (r + g + b < 200) {
          ++ink.dark;
        }
        if (r > 230 && g > 230 && b > 230) {
          ++ink.light;
        }
        if (r > 160 && g < 100 && b < 100) {
          ++ink.red;
        }
      }
      return ink.dark > 100 && ink.light > picture.width * picture.height / 4 &&
             (!picture.hasRed || ink.red > 4);
    };
    // The first paint reaches the screen a moment after the window answers.
    WaitUntil(drawn, 5000);
    EXPECT_GT(ink.dark, 100) << "no line drawing";
    EXPECT_GT(ink.light, picture.width * picture.height / 4) << "no white paper";
    EXPECT_TRUE(!picture.hasRed || ink.red > 4) << "no red marks";
  }
}

TEST_F(WindowTest, EveryBoxAndLabelInItsColoursAfterACalculate) {
  ASSERT_TRUE(calc().Type(Edit::HPlaneBw, "32"));
  ASSERT_TRUE(calc().Type(Edit::EPlaneBw, "30"));
  ASSERT_TRUE(calc().Type(Edit::Frequency, "144"));
  ASSERT_TRUE(calc().Click(Button::Calculate));
  struct Shown {
    HWND control;
    std::string where;
    std::string paper;
    std::string ink;
  };
  std::vector<Shown> expected;
  for (const ExpectedColours& row : kColours) {
    const std::string where = std::string(ClassPartOf(row.kind)) + " at " + std::to_string(row.left) + "," +
                              std::to_string(row.top);
    HWND control = ControlAt(calc().MainWindow(), row.left, row.top, ClassPartOf(row.kind));
    ASSERT_NE(control, nullptr) << where;
    expected.push_back({control, where, HexOf(PixelOf(GetSysColor(row.paper))), HexOf(PixelOf(row.ink))});
  }
  // The new texts reach the screen a moment after the click has been handled.
  WaitUntil(
      [&] {
        return std::all_of(expected.begin(), expected.end(), [](const Shown& shown) {
          const SeenColours seen = ColoursOnScreen(shown.control);
          return seen.paper == shown.paper && seen.ink == shown.ink;
        });
      },
      5000);
  for (const Shown& shown : expected) {
    SCOPED_TRACE(shown.where + " \"" + TextOf(shown.control) + "\"");
    const SeenColours seen = ColoursOnScreen(shown.control);
    EXPECT_EQ(seen.paper, shown.paper);
    EXPECT_EQ(seen.ink, shown.ink);
    EXPECT_GT(seen.inkPixels, 10) << "too little text shows";
  }
}

}  // namespace
}  // namespace lobrin::gui
