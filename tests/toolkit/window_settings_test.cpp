// Settings that reach the real window: styles of the kinds and edit options,
// alignment, opacity and icons.
#include <gtest/gtest.h>

#include "tests/support/form_fixture.h"
#include "toolkit/control.h"

namespace lobrin {
namespace {

using WindowSettingsTest = testing::FormTest;

DWORD WindowStyle(TControl* control, int which = GWL_STYLE) {
  return static_cast<DWORD>(GetWindowLongA(HandleOf(control), which));
}

TEST_F(WindowSettingsTest, EditOptionsBecomeEditStyles) {
  const struct { std::uint32_t options; DWORD present, absent; std::uint8_t focusKeys; } rows[] = {
      {0, ES_AUTOHSCROLL | WS_TABSTOP | ES_AUTOVSCROLL, WS_HSCROLL | WS_VSCROLL | WS_BORDER, 13},
      {1u << kEditNoHorizontalScroll, 0, ES_AUTOHSCROLL, 13},
      {(1u << kEditPassword) | (1u << kEditReadOnly), ES_PASSWORD | ES_READONLY, 0, 13},
      {1u << kEditMultiLine, ES_MULTILINE | WS_HSCROLL | WS_VSCROLL, 0, 1},
      {1u << kEditKeepTab, 0, 0, 12},
      {1u << kEditNumber, ES_NUMBER, 0, 13},
  };
  for (const auto& row : rows) {
    TControl* edit = MakeEdit(form_, row.options);
    EXPECT_EQ(WindowStyle(edit) & row.present, row.present) << "options " << row.options;
    EXPECT_EQ(WindowStyle(edit) & row.absent, 0u) << "options " << row.options;
    EXPECT_NE(WindowStyle(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0u) << "edits are sunken";
    EXPECT_EQ(edit->focusKeys, row.focusKeys) << "options " << row.options;
    edit->Free();
  }
}

TEST_F(WindowSettingsTest, AlignmentSetsTheStyleBitsOfTheKind) {
  TControl* label = MakeLabel(form_, "Metres");
  TControl* button = MakeButton(form_, "OK");
  const struct { TControl* control; std::uint8_t alignment; DWORD mask, expected; } rows[] = {
      {label, kAlignCenter, SS_TYPEMASK, SS_CENTER},  // SS_LEFTNOWORDWRAP must not combine with it
      {label, kAlignRight, SS_TYPEMASK, SS_RIGHT},  {label, kAlignLeft, SS_TYPEMASK, SS_LEFT},
      {button, kAlignLeft, BS_CENTER, BS_LEFT},     {button, kAlignRight, BS_CENTER, BS_RIGHT},
      {button, kAlignCenter, BS_CENTER, BS_CENTER},
  };
  for (const auto& row : rows) {
    SetTextAlignment(row.control, row.alignment);
    EXPECT_EQ(WindowStyle(row.control) & row.mask, row.expected) << row.control->baseClassName << " "
                                                                 << int(row.alignment);
  }
}

TEST_F(WindowSettingsTest, AlphaBelowOpaqueMakesALayeredWindow) {
  HandleOf(form_);
  SetControlAlpha(form_, 128);
  EXPECT_NE(WindowStyle(form_, GWL_EXSTYLE) & WS_EX_LAYERED, 0u);
  SetControlAlpha(form_, 255);
  EXPECT_EQ(WindowStyle(form_, GWL_EXSTYLE) & WS_EX_LAYERED, 0u);
}

TEST_F(WindowSettingsTest, AFormGetsACopyOfTheApplicationWindowsIcon) {
  HICON shared = LoadIconA(nullptr, IDI_APPLICATION);
  SetControlIcon(app_, shared);
  TControl* withoutIcon = MakeForm(app_, "none");
  SetControlIcon(withoutIcon, reinterpret_cast<HICON>(-1));
  const auto icon = reinterpret_cast<HICON>(SendMessageA(HandleOf(form_), WM_GETICON, ICON_BIG, 0));
  EXPECT_NE(icon, nullptr);
  EXPECT_NE(icon, shared) << "a copy that the form owns";
  EXPECT_EQ(SendMessageA(HandleOf(app_), WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(shared));
  EXPECT_EQ(SendMessageA(HandleOf(withoutIcon), WM_GETICON, ICON_BIG, 0), 0);
}

}  // namespace
}  // namespace lobrin
