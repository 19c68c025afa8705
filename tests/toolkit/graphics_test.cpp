// Graphic tools, canvases and bitmaps, checked through GDI: the objects the
// tools make and the pixels drawing leaves in a memory bitmap.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "tests/support/form_fixture.h"
#include "toolkit/bitmap.h"
#include "toolkit/canvas.h"
#include "toolkit/graphic_tool.h"

namespace lobrin {
namespace {

using namespace testing;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
                   kYellow = RGB(255, 255, 0), kGrey = RGB(128, 128, 128);

// A 2 x 2 picture of red, green over blue, yellow stretched over `r`, grey around it.
auto QuartersIn(RECT r) {
  return [r](int x, int y) {
    if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) {
      return kGrey;
    }
    const bool right = 2 * (x - r.left) >= r.right - r.left, bottom = 2 * (y - r.top) >= r.bottom - r.top;
    return bottom ? (right ? kYellow : kBlue) : (right ? kGreen : kRed);
  };
}

void CountChange(void* calls, TGraphicTool*) { ++*static_cast<int*>(calls); }

LOGBRUSH BrushOf(HGDIOBJ handle) {
  LOGBRUSH lb{};
  GetObjectA(handle, sizeof lb, &lb);
  return lb;
}

TEST(GraphicTool, FontEqualToParentSharesItsHandleUntilAFieldDiffers) {
  TGraphicTool* parent = MakeFont();
  TGraphicTool* child = parent->Copy();
  child->SetParent(parent);
  EXPECT_EQ(child->Handle(), parent->Handle());

  int calls = 0;
  child->SetOnChange(&CountChange, &calls);
  child->SetFontName("MS Sans Serif");  // equal data change nothing
  child->Assign(*parent);
  EXPECT_EQ(calls, 0);
  child->SetFontHeight(-20);
  EXPECT_GT(calls, 0);
  HGDIOBJ own = child->Handle();
  LOGFONTA lf{};
  GetObjectA(own, sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -20);

  child->SetFontHeight(0);  // the parent's data again: the own handle goes
  EXPECT_EQ(GetObjectType(own), 0u);
  EXPECT_EQ(child->Handle(), parent->Handle());
  child->Free();
  parent->Free();
}

TEST(GraphicTool, FontStyleBoldFollowsTheWeightAndTheFaceNameIsCut) {
  const struct {
    LONG weightBefore;
    std::uint8_t style;
    LONG weightAfter;
  } rows[] = {
      {400, kFontBold, 700},
      {900, kFontBold, 900},
      {800, kFontItalic, 0},
      {699, 0, 699},
  };
  for (const auto& row : rows) {
    TGraphicTool* font = MakeFont();
    font->SetFontWeight(row.weightBefore);
    font->SetFontStyle(row.style);
    EXPECT_EQ(font->FontWeight(), row.weightAfter) << row.weightBefore << " style " << int(row.style);
    font->Free();
  }
  TGraphicTool* font = MakeFont();
  font->SetFontName(std::string(40, 'x'));
  EXPECT_EQ(font->FontName(), std::string(31, 'x'));
  font->Free();
}

COLORREF fakeButtonFace = 0;
COLORREF FakeSysColour(int index) { return index == COLOR_BTNFACE ? fakeButtonFace : GetSysColor(index); }

TEST(GraphicTool, SystemColourChangeRebuildsTheBrushAndTellsItsUsers) {
  TSysColourSource previous = SetSysColourSource(&FakeSysColour);
  fakeButtonFace = RGB(10, 20, 30);
  TGraphicTool* brush = MakeBrush();  // the button face by default
  int calls = 0;
  brush->SetOnChange(&CountChange, &calls);
  EXPECT_EQ(BrushOf(brush->Handle()).lbColor, RGB(10, 20, 30));
  EXPECT_EQ(calls, 0);
  fakeButtonFace = RGB(200, 100, 50);
  EXPECT_EQ(BrushOf(brush->Handle()).lbColor, RGB(200, 100, 50));
  EXPECT_GT(calls, 0);
  brush->Free();
  SetSysColourSource(previous);
}

struct ProviderLog {
  HDC context = nullptr;
  int acquired = 0, released = 0;
  HGDIOBJ brushAtRelease = nullptr, fontAtRelease = nullptr;
};

TEST(Canvas, ProviderContextIsUsedAndGivenBackWithoutOurToolsAndAToolChangedMeanwhileIsSwapped) {
  PixelSurface surface(16, 16, kGrey);
  ProviderLog log{surface.context()};
  TCanvas* canvas = MakeCanvas();
  const auto acquire = [](void* data, TCanvas*) {
    ++static_cast<ProviderLog*>(data)->acquired;
    return static_cast<ProviderLog*>(data)->context;
  };
  const auto release = [](void* data, TCanvas*, HDC context) {
    auto* log = static_cast<ProviderLog*>(data);
    ++log->released;
    log->brushAtRelease = GetCurrentObject(context, OBJ_BRUSH);
    log->fontAtRelease = GetCurrentObject(context, OBJ_FONT);
  };
  canvas->SetProvider(TContextProvider{acquire, release, &log});
  canvas->Brush()->SetColour(kBlue);
  canvas->Font();
  canvas->FillRect(RECT{0, 0, 4, 4});
  HGDIOBJ blue = canvas->Brush()->Handle();
  canvas->Brush()->SetColour(kGreen);
  EXPECT_EQ(GetObjectType(blue), 0u) << "GDI refuses to delete a selected object";
  canvas->FillRect(RECT{4, 4, 8, 8});
  canvas->TextExtent("x");
  EXPECT_EQ(log.acquired, 1);
  EXPECT_EQ(surface.At(1, 1), kBlue);
  EXPECT_EQ(surface.At(5, 5), kGreen);
  EXPECT_EQ(GetCurrentObject(surface.context(), OBJ_FONT), canvas->Font()->Handle());
  canvas->SetContext(nullptr);
  EXPECT_EQ(log.released, 1);
  EXPECT_EQ(log.brushAtRelease, GetStockObject(NULL_BRUSH));
  EXPECT_EQ(log.fontAtRelease, GetStockObject(SYSTEM_FONT));
  canvas->Free();
  EXPECT_EQ(log.released, 1);  // nothing left to give back
}

struct OwnerColours {
  std::uint32_t background;
  TGraphicTool* brush;
};

TEST(Canvas, FillRectWithoutOwnBrushFallsBackToTheOwner) {
  TGraphicTool* ownerBrush = MakeBrush();
  ownerBrush->SetColour(kYellow);
  const struct {
    bool owner;
    TGraphicTool* brush;
    COLORREF expected;
  } rows[] = {
      {true, ownerBrush, kYellow}, {true, nullptr, kBlue}, {false, nullptr, GetSysColor(COLOR_WINDOW)}};
  const auto background = [](void* c) { return static_cast<OwnerColours*>(c)->background; };
  const auto brush = [](void* c) { return static_cast<OwnerColours*>(c)->brush; };
  for (const auto& row : rows) {
    PixelSurface surface(8, 8, kGrey);
    OwnerColours colours{kBlue, row.brush};
    TCanvas* canvas = MakeCanvas();
    if (row.owner) {
      canvas->SetOwner(TCanvasOwner{&colours, nullptr, background, brush});
    }
    canvas->SetContext(surface.context(), TContextOwnership::Borrowed);
    canvas->FillRect(RECT{0, 0, 8, 8});
    EXPECT_EQ(surface.At(3, 3), row.expected)
        << "owner " << row.owner << ", brush " << (row.brush != nullptr);
    canvas->Free();
  }
  ownerBrush->Free();
}

TEST(Bitmap, AZeroSizedBitmapIsEmptyAndSetHandleAdoptsBitmapsOnly) {
  HBITMAP section = CreateBitmap(2, 2, 1, 32, nullptr);
  HBRUSH brush = CreateSolidBrush(kRed);
  TBitmap* bitmap = MakeBitmap(-3, 5);
  EXPECT_EQ(bitmap->Handle(), nullptr);
  PixelSurface surface(4, 4, kGrey);
  bitmap->StretchDraw(surface.context(), RECT{0, 0, 4, 4});
  EXPECT_EQ(surface.At(0, 0), kGrey) << "an empty bitmap draws nothing";
  bitmap->SetHandle(reinterpret_cast<HBITMAP>(brush));  // not a bitmap: refused, left alone
  EXPECT_TRUE(bitmap->Empty());
  bitmap->SetHandle(section);
  bitmap->SetHandle(section);  // its own handle again: kept, not deleted
  EXPECT_NE(GetObjectType(section), 0u);
  bitmap->Free();
  EXPECT_EQ(GetObjectType(section), 0u);
  EXPECT_NE(GetObjectType(brush), 0u);
  DeleteObject(brush);
}

TEST(Bitmap, HandleBitsAndSectionAllStretchTheSamePicture) {
  // A 2 x 2 picture: red, green over blue, yellow (DIB rows are bottom-up).
  const BITMAPINFO info = DibInfo(2, 2);
  const std::uint32_t bits[4] = {ToPixel(kBlue), ToPixel(kYellow), ToPixel(kRed), ToPixel(kGreen)};
  const RECT target{2, 3, 10, 11};
  for (int way = 0; way < 3; ++way) {
    TBitmap* bitmap = MakeBitmap(0, 0);
    if (way == 0) {
      void* sectionBits = nullptr;
      HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &sectionBits, nullptr, 0);
      std::memcpy(sectionBits, bits, sizeof bits);
      bitmap->SetHandle(section);
    } else {
      ASSERT_TRUE(bitmap->SetDIB(&info, sizeof(BITMAPINFOHEADER), bits, sizeof bits));
      if (way == 2) {
        ASSERT_TRUE(bitmap->MakeDIBSection());
      }
    }
    PixelSurface surface(12, 12, kGrey);
    SetStretchBltMode(surface.context(), COLORONCOLOR);
    bitmap->StretchDraw(surface.context(), target);
    EXPECT_EQ(surface.FirstMismatch(QuartersIn(target)), "") << "way " << way;
    // Fewer bits than the description promises would be read past their end.
    EXPECT_FALSE(bitmap->SetDIB(&info, sizeof(BITMAPINFOHEADER), bits, sizeof bits - 1));
    EXPECT_TRUE(bitmap->Empty());
    bitmap->Free();
  }
}

}  // namespace
}  // namespace lobrin
