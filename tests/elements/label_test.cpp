// Label elements on a real form: the caption and size after Init, and the hover look.

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "elements/win/label.h"
#include "tests/elements/win_fixture.h"

namespace lobrin {
namespace {

using LabelTest = testing::FormFixture;

// Sizing to the caption is checked on the running program in tests/app and in auto_size_test.
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

// The window carries the caption from Init on; with auto-size it is as large as
// the caption in its font plus one pixel each way, else as large as it was made.
TEST_F(LabelTest, InitShowsTheCaptionAndFitsTheSizeToIt) {
  const struct { const char* caption; bool autoSize; } rows[] = {
      {"Steps:", true}, {"2) Enter frequency in MHz", true}, {"", true}, {"deg", false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << '"' << row.caption << "\", auto-size " << row.autoSize);
    auto label = Make<THILabel>([&](THILabel& l) {
      l.caption = row.caption;
      l.font = TFontRec{"MS Sans Serif", 8, kFontBold, 0, 1};
      l.SetAutoSize(row.autoSize);
    });
    HWND window = HandleOf(label->control);
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ(text, row.caption);

    SIZE extent = {0, 0};
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, label->control->font->FontHandle());
    const int length = static_cast<int>(std::char_traits<char>::length(row.caption));
    if (length > 0) GetTextExtentPoint32A(dc, row.caption, length, &extent);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    RECT bounds;
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, row.autoSize ? extent.cx + 1 : 60);
    EXPECT_EQ(bounds.bottom - bounds.top, row.autoSize ? extent.cy + 1 : 20);
  }
}

}  // namespace
}  // namespace lobrin
