// Settings that reach the real window: label alignment, opacity and icons.
#include <gtest/gtest.h>

#include "tests/support/form_fixture.h"
#include "toolkit/control.h"

namespace lobrin {
namespace {

using WindowSettingsTest = testing::FormTest;

DWORD WindowStyle(TControl* control, int which = GWL_STYLE) {
  return static_cast<DWORD>(GetWindowLongA(HandleOf(control), which));
}

// SS_LEFTNOWORDWRAP is a value of the type field, not a flag: it must go when the alignment changes.
TEST_F(WindowSettingsTest, LabelAlignmentReplacesTheWholeTypeField) {
  TControl* label = MakeLabel(form_, "Metres");
  const std::pair<TextAlignment, DWORD> rows[] = {
      {TextAlignment::kCenter, SS_CENTER}, {TextAlignment::kRight, SS_RIGHT}, {TextAlignment::kLeft, SS_LEFT}};
  for (auto [alignment, expected] : rows) {
    SetTextAlignment(label, alignment);
    EXPECT_EQ(WindowStyle(label) & SS_TYPEMASK, expected) << int(alignment);
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
