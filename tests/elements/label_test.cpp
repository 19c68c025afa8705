// Label elements on a real form: sizing to the caption and the hover look.

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "elements/win/label.h"
#include "tests/elements/win_fixture.h"

namespace lobrin {
namespace {

// The caption's size in the label's font, as the platform measures it.
SIZE TextSize(TControl* label, const std::string& text) {
  HDC context = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(context, label->font->FontHandle());
  SIZE size{0, 0};
  GetTextExtentPoint32A(context, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(context, old);
  DeleteDC(context);
  return size;
}

using LabelTest = testing::FormFixture;

TEST_F(LabelTest, SizesItselfToTheCaptionPlusOnePixel) {
  const std::pair<std::string, std::uint8_t> rows[] = {
      {"Steps:", kFontBold}, {"meters", 0}, {"3) Click \"Calculate\"", 0},
      {"E-plane for Azimuth, H-plane for Elevation ", 0}};
  for (const auto& [caption, style] : rows) {
    auto label = Make<THILabel>([&](THILabel& l) {
      l.width = 40;
      l.height = 17;
      l.edgeStyle = 1;
      l.colour = 0xFF00000F;
      l.font.style = style;
      l.caption = caption;
      l.SetAutoSize(true);
      l.SetTextAlign(0);
    });
    EXPECT_EQ(GetControlText(label->control), caption);
    const SIZE text = TextSize(label->control, caption);
    EXPECT_EQ(ControlWidth(label->control), text.cx + 1) << caption;
    EXPECT_EQ(ControlHeight(label->control), text.cy + 1) << caption;
    const std::string longer = caption + " and a longer caption";
    SetControlText(label->control, longer);
    EXPECT_EQ(ControlWidth(label->control), TextSize(label->control, longer).cx + 1) << caption;
  }
}

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
