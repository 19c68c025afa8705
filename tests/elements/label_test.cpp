// Label elements on a real form: sizing to the caption and the hover look.

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "elements/win/label.h"
#include "tests/elements/win_fixture.h"
#include "tests/support/probe_element.h"

namespace lobrin {
namespace {

using testing::CallLog;
using testing::FormFixture;
using testing::ProbeElement;

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

std::string WindowText(HWND window) {
  char buffer[256] = {};
  GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

class LabelTest : public FormFixture {
 protected:
  // A label as the calculator makes it: fields, caption, auto-size and left alignment, Init.
  std::unique_ptr<THILabel> MakeLabel(const std::string& caption, std::uint8_t style) {
    return Make<THILabel>([&](THILabel& l) {
      l.width = 40;
      l.height = 17;
      l.edgeStyle = 1;
      l.colour = 0xFF00000F;
      l.font.style = style;
      l.caption = caption;
      l.SetAutoSize(true);
      l.SetTextAlign(0);
    });
  }

  // Link traffic on after the fixture has reset the toolkit state (which turns it off).
  void SetUp() override {
    FormFixture::SetUp();
    EnableLinks();
  }

  CallLog log_;
};

TEST_F(LabelTest, SizesItselfToTheCaptionPlusOnePixel) {
  const std::pair<std::string, std::uint8_t> cases[] = {
      {"Steps:", kFontBold},
      {"meters", 0},
      {"3) Click \"Calculate\"", 0},
      {"E-plane for Azimuth, H-plane for Elevation ", 0}};
  for (const auto& [caption, style] : cases) {
    SCOPED_TRACE(caption);
    auto label = MakeLabel(caption, style);
    EXPECT_EQ(WindowText(HandleOf(label->control)), caption);
    const SIZE text = TextSize(label->control, caption);
    EXPECT_EQ(ControlWidth(label->control), text.cx + 1);
    EXPECT_EQ(ControlHeight(label->control), text.cy + 1);
  }
}

TEST_F(LabelTest, ALongerCaptionGrowsTheLabel) {
  auto label = MakeLabel("ft", 0);
  const int before = ControlWidth(label->control);
  const std::string longer = "Please read info before use the program";
  SetControlText(label->control, longer);
  EXPECT_GT(ControlWidth(label->control), before);
  EXPECT_EQ(ControlWidth(label->control), TextSize(label->control, longer).cx + 1);
}

TEST_F(LabelTest, HoverLook) {
  struct Case {
    const char* name;
    std::uint32_t hoverColour;
    bool hoverUnderline;
    std::uint32_t colourOver;
    std::uint8_t styleOver;
  };
  constexpr std::uint32_t kBlue = 0xFF0000;
  constexpr std::uint32_t kRed = 0x0000FF;
  const Case cases[] = {
      {"no hover look", 0, false, kBlue, kFontBold},
      {"colour only", kRed, false, kRed, kFontBold},
      {"underline only", 0, true, kBlue, kFontBold | kFontUnderline},
      {"both", kRed, true, kRed, kFontBold | kFontUnderline},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProbeElement enter(log_, "enter"), leave(log_, "leave");
    auto label = Make<THILabel>([&](THILabel& l) {
      l.caption = "Info";
      l.font = TFontRec{"MS Sans Serif", 8, kFontBold, kBlue, 1};
      l.hoverColour = c.hoverColour;
      l.hoverUnderline = c.hoverUnderline;
      l.onMouseEnter = MakeLink<&ProbeElement::recordPoint>(&enter);
      l.onMouseLeave = MakeLink<&ProbeElement::recordPoint>(&leave);
    });
    HWND window = HandleOf(label->control);
    TGraphicTool* font = label->control->font;
    log_.clear();

    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(4, 3));
    EXPECT_EQ(font->Colour(), c.colourOver);
    EXPECT_EQ(font->FontStyle(), c.styleOver);

    SendMessageA(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(font->Colour(), kBlue);
    EXPECT_EQ(font->FontStyle(), kFontBold);
    EXPECT_EQ(log_, (CallLog{"enter:NULL:", "enter:NULL:", "leave:NULL:"}));
    testing::DrainMessages();  // the hover and leave tracking the moves asked for
  }
}

}  // namespace
}  // namespace lobrin
