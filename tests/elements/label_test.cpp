// Label elements on a real form: the hover look.

#include <windows.h>
#include <gtest/gtest.h>

#include "elements/win/label.h"
#include "tests/elements/win_fixture.h"

namespace lobrin {
namespace {

using LabelTest = testing::FormFixture;

// The caption and the size fitted to it are checked on the running program in
// tests/app and in window_settings_test.
TEST_F(LabelTest, HoverLookWhileTheMouseIsOver) {
  constexpr std::uint32_t kBlue = 0xFF0000, kRed = 0x0000FF;
  const struct { std::uint32_t hoverColour; bool hoverUnderline; std::uint32_t colour; std::uint8_t style; } rows[] = {
      {0, false, kBlue, kFontBold},  {kRed, false, kRed, kFontBold},
      {0, true, kBlue, kFontBold | kFontUnderline}, {kRed, true, kRed, kFontBold | kFontUnderline}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << "hover colour " << row.hoverColour << ", underline " << row.hoverUnderline);
    auto label = Make<THILabel>([&](THILabel& l) {
      l.caption = "Info";
      l.font = TFontRec{"MS Sans Serif", 8, kFontBold, kBlue, 1};
      l.hoverColour = row.hoverColour;
      l.hoverUnderline = row.hoverUnderline;
    });
    HWND window = HandleOf(label->control);
    TGraphicTool* font = label->control->font;
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(4, 3));
    EXPECT_EQ(font->Colour(), row.colour);
    EXPECT_EQ(font->FontStyle(), row.style);
    SendMessageA(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(font->Colour(), kBlue);
    EXPECT_EQ(font->FontStyle(), kFontBold);
    testing::DrainMessages();  // the hover and leave tracking the moves asked for
  }
}

}  // namespace
}  // namespace lobrin
