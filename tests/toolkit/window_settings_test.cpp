// Settings that reach the real window: label alignment, opacity, icons and
// auto-size. An auto-sized control becomes its caption's measured size plus the
// margins of its kind; the expected sizes are measured here with the font the
// window really uses, since text widths differ between systems.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/form_fixture.h"
#include "toolkit/auto_size.h"

namespace lobrin {
namespace {

using WindowSettingsTest = testing::FormTest;

// SS_LEFTNOWORDWRAP is a value of the type field, not a flag: it must go when the alignment changes.
TEST_F(WindowSettingsTest, LabelAlignmentReplacesTheWholeTypeField) {
  TControl* label = MakeLabel(form_, "Metres");
  const std::pair<TextAlignment, LONG> rows[] = {{TextAlignment::kCenter, SS_CENTER},
                                                 {TextAlignment::kRight, SS_RIGHT},
                                                 {TextAlignment::kLeft, SS_LEFT}};
  for (auto [alignment, expected] : rows) {
    SetTextAlignment(label, alignment);
    EXPECT_EQ(GetWindowLongA(HandleOf(label), GWL_STYLE) & SS_TYPEMASK, expected) << int(alignment);
  }
}

TEST_F(WindowSettingsTest, AFormGetsACopyOfTheApplicationWindowsIconAndIsLayeredBelowOpaqueAlpha) {
  HICON shared = LoadIconA(nullptr, IDI_APPLICATION);
  SetControlIcon(app_, shared);
  TControl* withoutIcon = MakeForm(app_, "none");
  SetControlIcon(withoutIcon, reinterpret_cast<HICON>(-1));
  const auto icon = reinterpret_cast<HICON>(SendMessageA(HandleOf(form_), WM_GETICON, ICON_BIG, 0));
  EXPECT_NE(icon, nullptr);
  EXPECT_NE(icon, shared) << "a copy that the form owns";
  EXPECT_EQ(SendMessageA(HandleOf(withoutIcon), WM_GETICON, ICON_BIG, 0), 0);
  SetControlAlpha(form_, 128);
  EXPECT_NE(GetWindowLongA(HandleOf(form_), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  SetControlAlpha(form_, 255);
  EXPECT_EQ(GetWindowLongA(HandleOf(form_), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

// The extent of `text` in the font the control's window was given.
SIZE Measure(TControl* control, const std::string& text) {
  testing::PixelSurface surface(1, 1, 0);
  auto font = reinterpret_cast<HFONT>(SendMessageA(HandleOf(control), WM_GETFONT, 0, 0));
  SelectObject(surface.context(), font != nullptr ? font : GetStockObject(SYSTEM_FONT));
  SIZE size = {0, 0};
  GetTextExtentPoint32A(surface.context(), text.data(), static_cast<int>(text.size()), &size);
  return size;
}

TEST_F(WindowSettingsTest, AutoSizeAddsTheMarginsOfEachKindAlongTheSidesItSizes) {
  const std::string text = "Stacking distance H-plane";
  // A margin of -1: that side keeps its 300 x 50.
  const struct {
    const char* kind;
    DockingSide dock;
    int widthMargin, heightMargin;
  } rows[] = {
      {"edit", DockingSide::kNone, -1, 6},
      {"button", DockingSide::kNone, 14, -1},
      {"label", DockingSide::kTop, -1, 1},
      {"label", DockingSide::kLeft, 1, -1},
  };
  for (const auto& row : rows) {
    const std::string kind = row.kind;
    TControl* control = kind == "edit"    ? MakeEdit(form_, 0)
                        : kind == "label" ? MakeLabel(form_, text)
                                          : MakeButton(form_, text);
    control->dockingSide = row.dock;
    SetControlSize(control, 300, 50);
    if (kind == "edit") {
      SetControlText(control, text);
    }
    SetAutoSize(control, true);
    const SIZE expected = Measure(control, text);
    const int width = row.widthMargin < 0 ? 300 : expected.cx + row.widthMargin;
    const int height = row.heightMargin < 0 ? 50 : expected.cy + row.heightMargin;
    EXPECT_EQ(ControlWidth(control), width) << kind << " docked " << int(row.dock);
    EXPECT_EQ(ControlHeight(control), height) << kind << " docked " << int(row.dock);
    control->Free();
  }
}

TEST_F(WindowSettingsTest, AutoSizedLabelFollowsItsCaptionAndFont) {
  TControl* label = MakeLabel(form_, "");
  SetAutoSize(label, true);
  EXPECT_EQ(ControlWidth(label), 1) << "an empty caption gives 1 x 1";
  EXPECT_EQ(ControlHeight(label), 1);
  const std::string caption = "Frequency of the antenna in MHz";
  SetControlText(label, caption);
  EXPECT_EQ(ControlWidth(label), Measure(label, caption).cx + 1);
  label->font->SetFontHeight(-24);
  EXPECT_EQ(ControlHeight(label), Measure(label, caption).cy + 1) << "a font change resizes too";
  label->font->SetFontStyle(kFontItalic);
  const int italicWidth = Measure(label, caption + " ").cx + 1;
  EXPECT_EQ(ControlWidth(label), italicWidth) << "an italic caption gets one space more";
  SetAutoSize(label, false);
  SetControlText(label, "F");
  EXPECT_EQ(ControlWidth(label), italicWidth) << "switched off, the label keeps its size";
}

}  // namespace
}  // namespace lobrin
