// Picture elements on a real form: the painted pixels of the fitted picture
// and its background bands.

#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "elements/win/image.h"
#include "tests/elements/win_fixture.h"
#include "tests/support/probe_element.h"

namespace lobrin {
namespace {

using testing::CallLog;
using testing::FormFixture;
using testing::LinkTrafficOn;
using testing::ProbeElement;

constexpr COLORREF kPictureColour = RGB(0, 160, 0);
constexpr COLORREF kBackground = RGB(200, 0, 200);
constexpr COLORREF kUnpainted = RGB(1, 2, 3);

// A screen-compatible bitmap of one colour; the caller owns it.
HBITMAP SolidBitmap(int width, int height, COLORREF colour) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HDC context = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(context, bitmap);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all{0, 0, width, height};
  FillRect(context, &all, brush);
  DeleteObject(brush);
  SelectObject(context, old);
  DeleteDC(context);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

// What a control paints, read back pixel by pixel from a 32-bit DIB.
class PaintedPixels {
 public:
  PaintedPixels(HWND window, int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    context_ = CreateCompatibleDC(nullptr);
    dib_ = CreateDIBSection(context_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(context_, dib_);
    for (int i = 0; i < width * height; ++i) bits_[i] = ToPixel(kUnpainted);
    SendMessageA(window, WM_PRINT, reinterpret_cast<WPARAM>(context_), PRF_CLIENT);
    GdiFlush();
  }
  ~PaintedPixels() {
    SelectObject(context_, old_);
    DeleteObject(dib_);
    DeleteDC(context_);
  }
  COLORREF At(int x, int y) const {
    const DWORD p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // The first pixel that differs from what `expected` says, as text; empty when all match.
  template <class Expected>
  std::string FirstMismatch(Expected expected) const {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (At(x, y) != expected(x, y))
          return "(" + std::to_string(x) + "," + std::to_string(y) + ") is " + std::to_string(At(x, y));
    return std::string();
  }

 private:
  static DWORD ToPixel(COLORREF c) {
    return (DWORD{GetRValue(c)} << 16) | (DWORD{GetGValue(c)} << 8) | GetBValue(c);
  }
  int width_, height_;
  HDC context_ = nullptr;
  HBITMAP dib_ = nullptr;
  HGDIOBJ old_ = nullptr;
  DWORD* bits_ = nullptr;
};

class ImageTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    SetControlSize(form_, 700, 500);
  }

  // A picture as the calculator makes it, with a one-colour bitmap (none for 0 x 0).
  std::unique_ptr<THIImage> MakePicture(int bitmapWidth, int bitmapHeight, int width, int height,
                                        bool autoSize = false) {
    return Make<THIImage>([&](THIImage& image) {
      image.left = 0;
      image.top = 0;
      image.width = width;
      image.height = height;
      image.edgeStyle = 1;
      image.colour = kBackground;
      image.autoSize = autoSize;
      image.drawRoutine = image.FittedDrawRoutine();
      if (bitmapWidth > 0) image.SetBitmapHandle(SolidBitmap(bitmapWidth, bitmapHeight, kPictureColour));
      image.SetSmoothScaling(true);
      image.captureMouse = false;
    });
  }
};

TEST_F(ImageTest, FittedPictureLeavesBandsOfTheBackgroundColour) {
  struct Case {
    const char* name;
    int bitmapWidth, bitmapHeight, width, height;
    RECT picture;  // where the picture is drawn; the rest is background
  };
  const Case cases[] = {
      {"beamwidth picture: 7 pixels left and right", 216, 250, 205, 220, {7, 0, 198, 220}},
      {"array picture: 1 pixel top and bottom", 398, 321, 395, 320, {0, 1, 395, 319}},
      {"exact fit", 200, 100, 200, 100, {0, 0, 200, 100}},
      {"same proportions, scaled up", 50, 25, 200, 100, {0, 0, 200, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto image = MakePicture(c.bitmapWidth, c.bitmapHeight, c.width, c.height);
    HWND window = HandleOf(image->control);
    RECT client{};
    GetClientRect(window, &client);
    ASSERT_EQ(client.right, c.width);
    ASSERT_EQ(client.bottom, c.height);
    PaintedPixels pixels(window, c.width, c.height);
    EXPECT_EQ(pixels.FirstMismatch([&](int x, int y) {
      const POINT p{x, y};
      return PtInRect(&c.picture, p) ? kPictureColour : kBackground;
    }), "");
  }
}

TEST_F(ImageTest, AutoSizeTakesTheBitmapsSizeAndDrawsItUnscaled) {
  auto image = MakePicture(30, 20, 100, 100, true);
  EXPECT_EQ(ControlWidth(image->control), 30);
  EXPECT_EQ(ControlHeight(image->control), 20);
  PaintedPixels pixels(HandleOf(image->control), 30, 20);
  EXPECT_EQ(pixels.FirstMismatch([](int, int) { return kPictureColour; }), "");
}

int drawCalls = 0;
void CountDrawCall(void*, HDC) { ++drawCalls; }

TEST_F(ImageTest, EmptyBitmapPaintsTheBackgroundAndNeverCallsTheDrawRoutine) {
  for (int withPicture : {0, 1}) {
    SCOPED_TRACE(withPicture);
    drawCalls = 0;
    auto image = MakePicture(withPicture * 10, withPicture * 10, 40, 30);
    image->SetBitmapHandle(nullptr);  // a resource that failed to load changes nothing
    image->drawRoutine = TDrawRoutine{&CountDrawCall, nullptr};
    PaintedPixels pixels(HandleOf(image->control), 40, 30);
    EXPECT_EQ(drawCalls, withPicture);
    if (withPicture == 0) {
      EXPECT_EQ(pixels.FirstMismatch([](int, int) { return kBackground; }), "");
    }
  }
}

TEST_F(ImageTest, SmoothScalingIsHalftoneOnTheNtFamily) {
  ASSERT_GE(SystemVersionCode(), 3);
  THIImage image;
  image.Create(form_);
  image.SetSmoothScaling(true);
  EXPECT_EQ(image.stretchMode, HALFTONE);
  image.SetSmoothScaling(false);
  EXPECT_EQ(image.stretchMode, COLORONCOLOR);
}

TEST_F(ImageTest, TheBitmapIsDeletedWithTheElement) {
  HBITMAP handle = SolidBitmap(8, 8, kPictureColour);
  {
    THIImage image;
    image.Create(form_);
    image.SetBitmapHandle(handle);
    EXPECT_EQ(image.bitmap->Width(), 8);
    image.Init();
    EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_BITMAP));
  }
  EXPECT_EQ(GetObjectType(handle), 0u);
}

TEST_F(ImageTest, ClickFiresNull) {
  LinkTrafficOn links;
  CallLog log;
  ProbeElement click(log, "click");
  auto image = MakePicture(10, 10, 40, 40);
  image->onClick = MakeLink<&ProbeElement::recordPoint>(&click);
  HWND window = HandleOf(image->control);
  SendMessageA(HandleOf(form_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), STN_CLICKED),
               reinterpret_cast<LPARAM>(window));
  EXPECT_EQ(log, CallLog{"click:NULL:"});
}

}  // namespace
}  // namespace lobrin
