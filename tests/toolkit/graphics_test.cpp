// Graphic tools, canvases and bitmaps, checked through GDI itself: the objects
// the tools make and the pixels that drawing leaves in a memory bitmap.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "toolkit/bitmap.h"
#include "toolkit/canvas.h"
#include "toolkit/graphic_tool.h"

namespace lobrin {
namespace {

// ---------------------------------------------------------------- helpers

// A top-down 32-bit DIB section selected into its own memory context, whose
// pixels can be read directly.
class PixelSurface {
 public:
  PixelSurface(int width, int height, COLORREF fill) : width_(width) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    context_ = CreateCompatibleDC(nullptr);
    section_ = CreateDIBSection(context_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(context_, section_);
    RECT all{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(fill);
    ::FillRect(context_, &all, brush);
    DeleteObject(brush);
  }
  ~PixelSurface() {
    SelectObject(context_, old_);
    DeleteObject(section_);
    DeleteDC(context_);
  }
  HDC context() const { return context_; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const std::uint32_t p = bits_[y * width_ + x];  // 0x00RRGGBB
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

 private:
  int width_;
  HDC context_ = nullptr;
  HBITMAP section_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// A 32-bit bottom-up DIB description and bits for a picture of 2 x 2 pixels.
struct TwoByTwoDIB {
  BITMAPINFO info{};
  std::uint32_t bits[4];
  // Rows bottom-up: bits[0..1] is the bottom row.
  TwoByTwoDIB(COLORREF top_left, COLORREF top_right, COLORREF bottom_left, COLORREF bottom_right) {
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bits[0] = Pixel(bottom_left);
    bits[1] = Pixel(bottom_right);
    bits[2] = Pixel(top_left);
    bits[3] = Pixel(top_right);
  }
  static std::uint32_t Pixel(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }
};

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);

// Checks that each quarter of an 8 x 8 picture at (x0, y0) has its colour.
void ExpectQuarters(const PixelSurface& s, int x0, int y0, COLORREF tl, COLORREF tr, COLORREF bl, COLORREF br) {
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const COLORREF want = y < 4 ? (x < 4 ? tl : tr) : (x < 4 ? bl : br);
      ASSERT_EQ(s.At(x0 + x, y0 + y), want) << "at " << x << "," << y;
    }
  }
}

struct ChangeCounter {
  int calls = 0;
  bool handle_gone_at_first_call = false;
  bool old_handle_alive_at_first_call = false;
  HGDIOBJ old_handle = nullptr;
};

void CountChange(void* data, TGraphicTool* tool) {
  auto* counter = static_cast<ChangeCounter*>(data);
  if (counter->calls == 0) {
    counter->handle_gone_at_first_call = !tool->HasOwnHandle();
    counter->old_handle_alive_at_first_call =
        counter->old_handle != nullptr && GetObjectType(counter->old_handle) != 0;
  }
  ++counter->calls;
}

LOGBRUSH BrushOf(HGDIOBJ handle) {
  LOGBRUSH lb{};
  GetObjectA(handle, sizeof lb, &lb);
  return lb;
}

// ---------------------------------------------------------------- tools

TEST(GraphicTool, FontEqualToParentSharesItsHandleUntilAFieldDiffers) {
  TGraphicTool* parent = MakeFont();
  TGraphicTool* child = parent->Copy();
  child->SetParent(parent);
  HGDIOBJ shared = child->Handle();
  EXPECT_NE(shared, nullptr);
  EXPECT_EQ(shared, parent->Handle());
  EXPECT_FALSE(child->HasOwnHandle());

  ChangeCounter counter;
  child->SetOnChange(&CountChange, &counter);
  child->SetFontName("MS Sans Serif");  // equal data change nothing
  child->Assign(*parent);
  EXPECT_EQ(counter.calls, 0);
  child->SetFontHeight(-20);
  EXPECT_EQ(counter.calls, 2);  // no own handle: once before, once after the copy
  HGDIOBJ own = child->Handle();
  EXPECT_TRUE(child->HasOwnHandle());
  EXPECT_NE(own, parent->Handle());
  LOGFONTA lf{};
  ASSERT_NE(GetObjectA(own, sizeof lf, &lf), 0);
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");

  // Back to the parent's data: the own handle goes, the parent's is used again.
  counter = ChangeCounter{};
  counter.old_handle = own;
  child->SetFontHeight(0);
  EXPECT_EQ(counter.calls, 3);
  EXPECT_TRUE(counter.handle_gone_at_first_call);
  EXPECT_TRUE(counter.old_handle_alive_at_first_call);  // still there to be swapped out
  EXPECT_EQ(GetObjectType(own), 0u);                    // then deleted
  EXPECT_EQ(child->Handle(), parent->Handle());
  child->Free();
  parent->Free();
}

TEST(GraphicTool, FontStyleBoldFollowsTheWeight) {
  struct Case {
    LONG weight_before;
    std::uint8_t style;
    LONG weight_after;
    std::uint8_t style_read;
  };
  const Case cases[] = {
      {0, kFontBold, 700, kFontBold},
      {400, kFontBold, 700, kFontBold},
      {900, kFontBold, 900, kFontBold},  // heavier than bold stays as it is
      {700, 0, 0, 0},
      {800, kFontItalic, 0, kFontItalic},
      {400, kFontUnderline | kFontStrikeOut, 400, kFontUnderline | kFontStrikeOut},
      {699, 0, 699, 0},
  };
  for (const Case& c : cases) {
    TGraphicTool* font = MakeFont();
    font->SetFontWeight(c.weight_before);
    font->SetFontStyle(c.style);
    EXPECT_EQ(font->FontWeight(), c.weight_after) << c.weight_before << " style " << int(c.style);
    EXPECT_EQ(font->FontStyle(), c.style_read) << c.weight_before << " style " << int(c.style);
    font->Free();
  }
}

TEST(GraphicTool, FaceNameIsCutTo31Characters) {
  TGraphicTool* font = MakeFont();
  const std::string long_name(40, 'x');
  font->SetFontName(long_name);
  EXPECT_EQ(font->FontName(), std::string(31, 'x'));
  TGraphicTool* other = MakeFont();
  other->SetFontName(std::string(31, 'x'));
  EXPECT_TRUE(font->SameData(*other));  // the rest of the field is zero in both
  font->SetFontName("Arial");
  EXPECT_EQ(font->FontName(), "Arial");
  other->Free();
  font->Free();
}

TEST(GraphicTool, BrushHandleFollowsTheStyle) {
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, nullptr);
  struct Case {
    std::uint8_t style;
    HBITMAP pattern;
    UINT lb_style;
    COLORREF lb_colour;
    ULONG_PTR lb_hatch;
  };
  const Case cases[] = {
      {kBrushSolid, nullptr, BS_SOLID, kRed, 0},
      {kBrushHollow, nullptr, BS_NULL, 0, 0},
      {static_cast<std::uint8_t>(kBrushHatchedFirst + HS_CROSS), nullptr, BS_HATCHED, kBlue, HS_CROSS},
      {kBrushSolid, pattern, BS_PATTERN, 0, 0},
  };
  for (const Case& c : cases) {
    TGraphicTool* brush = MakeBrush();
    brush->SetColour(kRed);
    brush->SetHatchColour(kBlue);
    brush->SetBrushStyle(c.style);
    brush->SetBrushPattern(c.pattern);
    HGDIOBJ handle = brush->Handle();
    ASSERT_NE(handle, nullptr) << int(c.style);
    const LOGBRUSH lb = BrushOf(handle);
    EXPECT_EQ(lb.lbStyle, c.lb_style) << int(c.style);
    if (c.lb_style == BS_SOLID || c.lb_style == BS_HATCHED) {
      EXPECT_EQ(lb.lbColor, c.lb_colour) << int(c.style);
    }
    if (c.lb_style == BS_HATCHED) {
      EXPECT_EQ(lb.lbHatch, c.lb_hatch);
    }
    brush->Free();
  }
  DeleteObject(pattern);
}

COLORREF fake_button_face = RGB(10, 20, 30);
COLORREF FakeSysColour(int index) {
  return index == COLOR_BTNFACE ? fake_button_face : GetSysColor(index);
}

TEST(GraphicTool, SystemColourChangeRebuildsTheBrush) {
  TSysColourSource previous = SetSysColourSource(&FakeSysColour);
  fake_button_face = RGB(10, 20, 30);
  TGraphicTool* brush = MakeBrush();
  ChangeCounter counter;
  brush->SetOnChange(&CountChange, &counter);
  HGDIOBJ first = brush->Handle();
  EXPECT_EQ(BrushOf(first).lbColor, RGB(10, 20, 30));
  EXPECT_EQ(brush->Handle(), first);  // unchanged colour: same handle
  EXPECT_EQ(counter.calls, 0);

  fake_button_face = RGB(200, 100, 50);
  HGDIOBJ second = brush->Handle();
  EXPECT_EQ(BrushOf(second).lbColor, RGB(200, 100, 50));
  EXPECT_EQ(brush->ResolvedColour(), RGB(200, 100, 50));
  EXPECT_EQ(counter.calls, 2);  // users are told to take the new handle
  brush->Free();

  // A fixed RGB colour does not depend on the system colours.
  TGraphicTool* fixed = MakeBrush();
  fixed->SetColour(kGreen);
  HGDIOBJ handle = fixed->Handle();
  fake_button_face = RGB(1, 2, 3);
  EXPECT_EQ(fixed->Handle(), handle);
  fixed->Free();
  SetSysColourSource(previous);
}

TEST(GraphicTool, AssignToolCopiesOrFrees) {
  TGraphicTool* source = MakeFont();
  source->SetFontHeight(-13);
  TGraphicTool* target = nullptr;
  AssignTool(target, source);
  ASSERT_NE(target, nullptr);
  EXPECT_TRUE(target->SameData(*source));

  TGraphicTool* brush = MakeBrush();
  target->SetFontHeight(-8);
  AssignTool(target, brush);  // another kind: left as it is
  EXPECT_EQ(target->FontHeight(), -8);
  AssignTool(target, source);
  EXPECT_EQ(target->FontHeight(), -13);
  AssignTool(target, nullptr);
  EXPECT_EQ(target, nullptr);
  brush->Free();
  source->Free();
}

// ---------------------------------------------------------------- canvas

struct ProviderLog {
  HDC context = nullptr;
  int acquired = 0;
  int released = 0;
  HGDIOBJ brush_at_release = nullptr;
  HGDIOBJ font_at_release = nullptr;
};

HDC AcquireLogged(void* data, TCanvas*) {
  auto* log = static_cast<ProviderLog*>(data);
  ++log->acquired;
  return log->context;
}

void ReleaseLogged(void* data, TCanvas*, HDC context) {
  auto* log = static_cast<ProviderLog*>(data);
  ++log->released;
  log->brush_at_release = GetCurrentObject(context, OBJ_BRUSH);
  log->font_at_release = GetCurrentObject(context, OBJ_FONT);
}

TEST(Canvas, ProviderContextIsUsedAndGivenBackWithoutOurTools) {
  PixelSurface surface(16, 16, kGrey);
  ProviderLog log;
  log.context = surface.context();
  TCanvas* canvas = MakeCanvas();
  TContextProvider provider;
  provider.acquire = &AcquireLogged;
  provider.release = &ReleaseLogged;
  provider.data = &log;
  canvas->SetProvider(provider);
  canvas->Brush()->SetColour(kBlue);
  canvas->Font();
  canvas->FillRect(RECT{0, 0, 4, 4});
  canvas->TextExtent("x");
  EXPECT_EQ(log.acquired, 1);
  EXPECT_EQ(surface.At(1, 1), kBlue);
  EXPECT_EQ(surface.At(5, 5), kGrey);
  EXPECT_EQ(canvas->SelectedState(), kRequireBrush | kRequireFont);
  canvas->SetContext(nullptr);
  EXPECT_EQ(log.released, 1);
  EXPECT_EQ(log.brush_at_release, GetStockObject(NULL_BRUSH));
  EXPECT_EQ(log.font_at_release, GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(canvas->SelectedState(), 0);
  canvas->Free();
  EXPECT_EQ(log.released, 1);  // nothing left to give back
}

TEST(Canvas, ToolChangedWhileSelectedIsSwappedOutAndDeleted) {
  PixelSurface surface(16, 16, kGrey);
  TCanvas* canvas = MakeCanvas();
  canvas->SetContext(surface.context(), TContextOwnership::Borrowed);
  canvas->Brush()->SetColour(kRed);
  canvas->FillRect(RECT{0, 0, 8, 8});
  HGDIOBJ old = canvas->Brush()->Handle();
  EXPECT_EQ(GetCurrentObject(surface.context(), OBJ_BRUSH), old);
  canvas->Brush()->SetColour(kGreen);
  EXPECT_EQ(GetObjectType(old), 0u);  // GDI refuses to delete a selected object
  canvas->FillRect(RECT{0, 0, 8, 8});
  EXPECT_EQ(surface.At(2, 2), kGreen);
  canvas->Free();
}

struct OwnerColours {
  std::uint32_t text;
  std::uint32_t background;
  TGraphicTool* brush;
};
std::uint32_t OwnerText(void* control) { return static_cast<OwnerColours*>(control)->text; }
std::uint32_t OwnerBackground(void* control) { return static_cast<OwnerColours*>(control)->background; }
TGraphicTool* OwnerBrush(void* control) { return static_cast<OwnerColours*>(control)->brush; }

TEST(Canvas, FillRectWithoutOwnBrushFallsBackToTheOwner) {
  TGraphicTool* owner_brush = MakeBrush();
  owner_brush->SetColour(kYellow);
  struct Case {
    const char* name;
    bool owner;
    TGraphicTool* brush;
    COLORREF expected;
  };
  const Case cases[] = {
      {"owner brush tool", true, owner_brush, kYellow},
      {"owner background colour", true, nullptr, kBlue},
      {"no owner: window colour", false, nullptr, GetSysColor(COLOR_WINDOW)},
  };
  for (const Case& c : cases) {
    PixelSurface surface(8, 8, kGrey);
    OwnerColours colours{kRed, kBlue, c.brush};
    TCanvas* canvas = MakeCanvas();
    if (c.owner) {
      TCanvasOwner owner;
      owner.control = &colours;
      owner.textColour = &OwnerText;
      owner.backgroundColour = &OwnerBackground;
      owner.brushTool = &OwnerBrush;
      canvas->SetOwner(owner);
    }
    canvas->SetContext(surface.context(), TContextOwnership::Borrowed);
    canvas->FillRect(RECT{0, 0, 8, 8});
    EXPECT_EQ(surface.At(3, 3), c.expected) << c.name;
    canvas->Free();
  }
  owner_brush->Free();
}

// ---------------------------------------------------------------- bitmaps

TEST(Bitmap, FromHandleReportsTheBitmapSize) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 216;
  info.bmiHeader.biHeight = 250;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(section, nullptr);
  TBitmap* bitmap = MakeBitmap(0, 0);
  bitmap->SetHandle(section);
  EXPECT_EQ(bitmap->Width(), 216);
  EXPECT_EQ(bitmap->Height(), 250);
  EXPECT_FALSE(bitmap->Empty());
  bitmap->SetHandle(section);  // its own handle again: kept, not deleted
  EXPECT_NE(GetObjectType(section), 0u);
  bitmap->Free();
  EXPECT_EQ(GetObjectType(section), 0u);  // adopted, so deleted with the bitmap
}

TEST(Bitmap, UnusableHandlesLeaveItEmpty) {
  HBRUSH brush = CreateSolidBrush(kRed);
  TBitmap* bitmap = MakeBitmap(4, 4);
  bitmap->SetHandle(nullptr);
  EXPECT_TRUE(bitmap->Empty());
  EXPECT_EQ(bitmap->Handle(), nullptr);
  bitmap->SetHandle(reinterpret_cast<HBITMAP>(brush));
  EXPECT_TRUE(bitmap->Empty());
  bitmap->Free();
  EXPECT_NE(GetObjectType(brush), 0u);  // not adopted, not deleted
  DeleteObject(brush);
}

TEST(Bitmap, StretchDrawScalesIntoALargerRectangle) {
  TwoByTwoDIB dib(kRed, kGreen, kBlue, kYellow);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &dib.info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(section, nullptr);
  std::memcpy(bits, dib.bits, sizeof dib.bits);
  TBitmap* bitmap = MakeBitmap(0, 0);
  bitmap->SetHandle(section);

  PixelSurface surface(12, 12, kGrey);
  SetStretchBltMode(surface.context(), COLORONCOLOR);
  bitmap->StretchDraw(surface.context(), RECT{2, 3, 10, 11});
  ExpectQuarters(surface, 2, 3, kRed, kGreen, kBlue, kYellow);
  EXPECT_EQ(surface.At(1, 3), kGrey);
  EXPECT_EQ(surface.At(10, 10), kGrey);
  EXPECT_EQ(surface.At(2, 2), kGrey);
  bitmap->Free();
}

TEST(Bitmap, ZeroSizedBitmapHasNoHandleAndDrawsNothing) {
  const int sizes[][2] = {{0, 0}, {0, 10}, {10, 0}, {-3, 5}};
  for (const auto& size : sizes) {
    TBitmap* bitmap = MakeBitmap(size[0], size[1]);
    EXPECT_EQ(bitmap->Handle(), nullptr);
    EXPECT_TRUE(bitmap->Empty());
    PixelSurface surface(4, 4, kGrey);
    bitmap->StretchDraw(surface.context(), RECT{0, 0, 4, 4});
    EXPECT_EQ(surface.At(0, 0), kGrey);
    bitmap->Free();
  }
  TBitmap* sized = MakeBitmap(3, 2);
  EXPECT_NE(sized->Handle(), nullptr);
  EXPECT_EQ(sized->Width(), 3);
  sized->Free();
}

TEST(Bitmap, DIBBitsDrawAndTurnIntoASection) {
  TwoByTwoDIB dib(kRed, kGreen, kBlue, kYellow);
  TBitmap* bitmap = MakeBitmap(0, 0);
  ASSERT_TRUE(bitmap->SetDIB(&dib.info, sizeof(BITMAPINFOHEADER), dib.bits, sizeof dib.bits));
  EXPECT_EQ(bitmap->Handle(), nullptr);
  EXPECT_EQ(bitmap->Width(), 2);
  PixelSurface through_bits(8, 8, kGrey);
  SetStretchBltMode(through_bits.context(), COLORONCOLOR);
  bitmap->StretchDraw(through_bits.context(), RECT{0, 0, 8, 8});
  ExpectQuarters(through_bits, 0, 0, kRed, kGreen, kBlue, kYellow);

  ASSERT_TRUE(bitmap->MakeDIBSection());
  EXPECT_NE(bitmap->Handle(), nullptr);
  PixelSurface through_section(8, 8, kGrey);
  SetStretchBltMode(through_section.context(), COLORONCOLOR);
  bitmap->StretchDraw(through_section.context(), RECT{0, 0, 8, 8});
  ExpectQuarters(through_section, 0, 0, kRed, kGreen, kBlue, kYellow);

  // Fewer bits than the description promises would be read past their end.
  EXPECT_FALSE(bitmap->SetDIB(&dib.info, sizeof(BITMAPINFOHEADER), dib.bits, sizeof dib.bits - 1));
  EXPECT_TRUE(bitmap->Empty());
  bitmap->Free();
}

TEST(Bitmap, CanvasDrawsOnTheBitmapAndLetsGoBeforeStretching) {
  TBitmap* bitmap = MakeBitmap(2, 2);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColour(kGreen);
  canvas->FillRect(RECT{0, 0, 2, 2});
  EXPECT_TRUE(canvas->HasContext());
  // The bitmap is still selected into the canvas's context: stretching must
  // take it out first, or GDI would not select it a second time.
  PixelSurface surface(6, 6, kGrey);
  bitmap->StretchDraw(surface.context(), RECT{0, 0, 6, 6});
  EXPECT_FALSE(canvas->HasContext());
  EXPECT_EQ(surface.At(0, 0), kGreen);
  EXPECT_EQ(surface.At(5, 5), kGreen);
  bitmap->Free();
}

}  // namespace
}  // namespace lobrin
