// Auto-size: a control becomes its caption's measured size plus the margins of
// its kind. The expected sizes are measured here with the font the window
// really uses, since text widths differ between systems.
#include <gtest/gtest.h>

#include <string>

#include "tests/toolkit/control_fixture.h"
#include "toolkit/auto_size.h"
#include "toolkit/control.h"

namespace lobrin {
namespace {

using testing::ControlTest;

// The extent of `text` in the font the control's window was given.
SIZE Measure(TControl* control, const std::string& text) {
  HWND hwnd = HandleOf(control);
  HDC dc = GetDC(hwnd);
  auto font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
  HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
  SIZE size = {0, 0};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  return size;
}

class AutoSizeTest : public ControlTest {};

TEST_F(AutoSizeTest, EachKindAddsItsMarginsToTheMeasuredText) {
  const struct {
    const char* kind;
    bool sizesWidth;
    int widthMargin;
    bool sizesHeight;
    int heightMargin;
  } cases[] = {
      {"label", true, 1, true, 1},
      {"edit", false, 0, true, 6},
      {"button", true, 14, false, 0},
  };
  const std::string text = "Stacking distance H-plane";
  for (const auto& c : cases) {
    const std::string kind = c.kind;
    TControl* control = kind == "label" ? MakeLabel(form_, text) : kind == "edit" ? MakeEdit(form_, 0)
                                                                                : MakeButton(form_, text);
    SetControlSize(control, 300, 50);
    if (kind == "edit") SetControlText(control, text);
    SetAutoSize(control, true);
    const SIZE expected = Measure(control, text);
    EXPECT_EQ(ControlWidth(control), c.sizesWidth ? expected.cx + c.widthMargin : 300) << kind;
    EXPECT_EQ(ControlHeight(control), c.sizesHeight ? expected.cy + c.heightMargin : 50) << kind;
  }
}

TEST_F(AutoSizeTest, ALabelFollowsItsCaptionAndFont) {
  TControl* label = MakeLabel(form_, "");
  SetAutoSize(label, true);
  EXPECT_EQ(ControlWidth(label), 1) << "an empty caption gives 1 x 1";
  EXPECT_EQ(ControlHeight(label), 1);

  SetControlText(label, "Frequency (MHz)");
  SIZE expected = Measure(label, "Frequency (MHz)");
  EXPECT_EQ(ControlWidth(label), expected.cx + 1);
  EXPECT_EQ(ControlHeight(label), expected.cy + 1);

  SetControlText(label, "Frequency of the antenna in MHz");
  expected = Measure(label, "Frequency of the antenna in MHz");
  EXPECT_EQ(ControlWidth(label), expected.cx + 1) << "a longer caption grows the label";

  label->font->SetFontHeight(-24);
  expected = Measure(label, "Frequency of the antenna in MHz");
  EXPECT_EQ(ControlHeight(label), expected.cy + 1) << "a font change resizes too";

  label->font->SetFontStyle(kFontItalic);
  expected = Measure(label, "Frequency of the antenna in MHz ");
  EXPECT_EQ(ControlWidth(label), expected.cx + 1) << "an italic caption gets one space more";

  SetAutoSize(label, false);
  SetControlText(label, "F");
  EXPECT_EQ(ControlWidth(label), expected.cx + 1) << "switched off, the label keeps its size";
}

TEST_F(AutoSizeTest, ADockedLabelSizesOnlyAlongItsFreeSide) {
  TControl* top = MakeLabel(form_, "Docked at the top");
  TControl* left = MakeLabel(form_, "Docked at the left");
  top->dockingSide = kDockTop;
  left->dockingSide = kDockLeft;
  SetControlSize(top, 300, 50);
  SetControlSize(left, 300, 50);
  SetAutoSize(top, true);
  SetAutoSize(left, true);
  EXPECT_EQ(ControlWidth(top), 300);
  EXPECT_EQ(ControlHeight(top), Measure(top, "Docked at the top").cy + 1);
  EXPECT_EQ(ControlWidth(left), Measure(left, "Docked at the left").cx + 1);
  EXPECT_EQ(ControlHeight(left), 50);
}

}  // namespace
}  // namespace lobrin
