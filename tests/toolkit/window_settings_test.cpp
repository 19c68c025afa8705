// Settings that reach the real window: styles of the kinds and edit options,
// alignment, sizes, opacity and icons.
#include <gtest/gtest.h>

#include "tests/toolkit/control_fixture.h"
#include "toolkit/control.h"

namespace lobrin {
namespace {

using testing::ControlTest;

class WindowSettingsTest : public ControlTest {};

DWORD WindowStyle(TControl* control) { return static_cast<DWORD>(GetWindowLongA(HandleOf(control), GWL_STYLE)); }
DWORD WindowExStyle(TControl* control) {
  return static_cast<DWORD>(GetWindowLongA(HandleOf(control), GWL_EXSTYLE));
}

TEST_F(WindowSettingsTest, EditOptionsBecomeEditStyles) {
  const struct {
    std::uint32_t options;
    DWORD present;
    DWORD absent;
    std::uint8_t focusKeys;
  } cases[] = {
      {0, ES_AUTOHSCROLL | WS_TABSTOP | ES_AUTOVSCROLL, WS_HSCROLL | WS_VSCROLL | WS_BORDER, 13},
      {1u << kEditNoHorizontalScroll, 0, ES_AUTOHSCROLL, 13},
      {(1u << kEditPassword) | (1u << kEditReadOnly), ES_PASSWORD | ES_READONLY, 0, 13},
      {1u << kEditMultiLine, ES_MULTILINE | WS_HSCROLL | WS_VSCROLL, 0, 1},
      {1u << kEditKeepTab, 0, 0, 12},
      {1u << kEditNumber, ES_NUMBER, 0, 13},
  };
  for (const auto& c : cases) {
    TControl* edit = MakeEdit(form_, c.options);
    const DWORD style = WindowStyle(edit);
    EXPECT_EQ(style & c.present, c.present) << "options " << c.options;
    EXPECT_EQ(style & c.absent, 0u) << "options " << c.options;
    EXPECT_NE(WindowExStyle(edit) & WS_EX_CLIENTEDGE, 0u) << "edits are sunken";
    EXPECT_EQ(edit->focusKeys, c.focusKeys) << "options " << c.options;
    edit->Free();
  }
}

TEST_F(WindowSettingsTest, AlignmentSetsTheStyleBitsOfTheKind) {
  TControl* label = MakeLabel(form_, "Metres");
  TControl* button = MakeButton(form_, "OK");
  const struct {
    TControl* control;
    std::uint8_t alignment;
    DWORD mask;
    DWORD expected;
  } cases[] = {
      {label, kAlignCenter, SS_TYPEMASK, SS_CENTER},  // SS_LEFTNOWORDWRAP must not combine with it
      {label, kAlignRight, SS_TYPEMASK, SS_RIGHT},
      {label, kAlignLeft, SS_TYPEMASK, SS_LEFT},
      {button, kAlignLeft, BS_CENTER, BS_LEFT},
      {button, kAlignRight, BS_CENTER, BS_RIGHT},
      {button, kAlignCenter, BS_CENTER, BS_CENTER},
  };
  for (const auto& c : cases) {
    SetTextAlignment(c.control, c.alignment);
    EXPECT_EQ(WindowStyle(c.control) & c.mask, c.expected) << c.control->baseClassName << " " << int(c.alignment);
  }
}

TEST_F(WindowSettingsTest, SizesAndPositionsReachTheWindow) {
  TControl* label = MakeLabel(form_, "x");
  EXPECT_EQ(ControlBounds(label).left, form_->margin) << "default position respects the margin";
  SetControlPosition(label, 10, 20);
  SetControlSize(label, 70, 30);
  HandleOf(label);
  SetControlLeft(label, 15);
  const RECT r = ControlBounds(label);
  EXPECT_EQ(r.left, 15);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right - r.left, 70);
  EXPECT_EQ(r.bottom - r.top, 30);

  SetClientWidth(form_, 300);
  SetClientHeight(form_, 150);
  RECT client;
  GetClientRect(HandleOf(form_), &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 150);
  EXPECT_EQ(form_->positionSet & 3, 3) << "an explicit position replaces CW_USEDEFAULT";
}

TEST_F(WindowSettingsTest, AlphaBelowOpaqueMakesALayeredWindow) {
  HandleOf(form_);
  SetControlAlpha(form_, 128);
  EXPECT_NE(WindowExStyle(form_) & WS_EX_LAYERED, 0u);
  SetControlAlpha(form_, 255);
  EXPECT_EQ(WindowExStyle(form_) & WS_EX_LAYERED, 0u);
}

TEST_F(WindowSettingsTest, AFormGetsACopyOfTheApplicationWindowsIcon) {
  HICON shared = LoadIconA(nullptr, IDI_APPLICATION);
  SetControlIcon(app_, shared);
  TControl* withoutIcon = MakeForm(app_, "none");
  SetControlIcon(withoutIcon, reinterpret_cast<HICON>(-1));
  HWND hwnd = HandleOf(form_);
  const auto icon = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));
  EXPECT_NE(icon, nullptr);
  EXPECT_NE(icon, shared) << "a copy that the form owns";
  EXPECT_EQ(icon, form_->ownedIcon);
  EXPECT_EQ(SendMessageA(HandleOf(app_), WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(shared));
  EXPECT_EQ(SendMessageA(HandleOf(withoutIcon), WM_GETICON, ICON_BIG, 0), 0);
}

}  // namespace
}  // namespace lobrin
