// Picture elements on a real form: the painted pixels of the fitted picture
// and its background bands.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "elements/win/image.h"
#include "tests/elements/win_fixture.h"
#include "tests/support/probe_element.h"

namespace lobrin {
namespace {

using namespace testing;

constexpr COLORREF kPictureColour = RGB(0, 160, 0), kBackground = RGB(200, 0, 200);

// A bitmap of one colour; the caller owns it.
HBITMAP SolidBitmap(int width, int height) {
  const BITMAPINFO info = testing::DibInfo(width, height);
  std::uint32_t* bits = nullptr;
  HBITMAP bitmap =
      CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  std::fill(bits, bits + static_cast<std::ptrdiff_t>(width) * height, testing::ToPixel(kPictureColour));
  return bitmap;
}

class ImageTest : public testing::FormFixture {
 protected:
  // A picture as the calculator makes it, with a one-colour bitmap (none for 0 x 0).
  std::unique_ptr<THIImage> MakePicture(int bitmapWidth, int bitmapHeight, int width, int height,
                                        bool autoSize = false) {
    SetControlSize(form_, 700, 500);
    return Make<THIImage>([&](THIImage& image) {
      image.left = image.top = 0;
      image.width = width;
      image.height = height;
      image.edgeStyle = EdgeStyle::kSingle;
      image.colour = kBackground;
      image.autoSize = autoSize;
      image.drawRoutine = image.FittedDrawRoutine();
      if (bitmapWidth > 0) {
        image.SetBitmapHandle(SolidBitmap(bitmapWidth, bitmapHeight));
      }
      image.SetSmoothScaling(true);
      image.captureMouse = false;
    });
  }
  // What the picture paints, on a surface of `width` x `height` first filled with an unpainted colour.
  static std::unique_ptr<PixelSurface> Painted(const THIImage& image, int width, int height) {
    auto pixels = std::make_unique<PixelSurface>(width, height, RGB(1, 2, 3));
    SendMessageA(HandleOf(image.control), WM_PRINT, reinterpret_cast<WPARAM>(pixels->context()), PRF_CLIENT);
    return pixels;
  }
};

// Auto size takes the bitmap's size and draws the bitmap unscaled.
TEST_F(ImageTest, FittedPictureLeavesBandsOfTheBackgroundColour) {
  const struct {
    const char* name;
    int bitmapWidth, bitmapHeight, width, height;
    RECT picture;  // where the picture is drawn; the rest is background
    bool autoSize = false;
  } rows[] = {
      {"beamwidth picture: 7 pixels left and right", 216, 250, 205, 220, {7, 0, 198, 220}},
      {"array picture: 1 pixel top and bottom", 398, 321, 395, 320, {0, 1, 395, 319}},
      {"exact fit", 200, 100, 200, 100, {0, 0, 200, 100}},
      {"same proportions, scaled up", 50, 25, 200, 100, {0, 0, 200, 100}},
      {"auto size", 30, 20, 100, 100, {0, 0, 30, 20}, true},
  };
  for (const auto& row : rows) {
    auto image = MakePicture(row.bitmapWidth, row.bitmapHeight, row.width, row.height, row.autoSize);
    const int width = row.autoSize ? row.bitmapWidth : row.width;
    const int height = row.autoSize ? row.bitmapHeight : row.height;
    ASSERT_EQ(ControlWidth(image->control), width) << row.name;
    ASSERT_EQ(ControlHeight(image->control), height) << row.name;
    // A client smaller than the control would leave unpainted pixels.
    EXPECT_EQ(Painted(*image, width, height)->FirstMismatch([&](int x, int y) {
      return PtInRect(&row.picture, POINT{x, y}) ? kPictureColour : kBackground;
    }),
              "")
        << row.name;
  }
}

int drawCalls = 0;

TEST_F(ImageTest, EmptyBitmapPaintsTheBackgroundAndNeverCallsTheDrawRoutine) {
  for (int withPicture : {0, 1}) {
    drawCalls = 0;
    auto image = MakePicture(withPicture * 10, withPicture * 10, 40, 30);
    image->SetBitmapHandle(nullptr);  // a resource that failed to load changes nothing
    image->drawRoutine = TDrawRoutine{[](void*, HDC) { ++drawCalls; }, nullptr};
    auto pixels = Painted(*image, 40, 30);
    EXPECT_EQ(drawCalls, withPicture);
    if (withPicture == 0) {
      EXPECT_EQ(pixels->FirstMismatch([](int, int) { return kBackground; }), "");
    }
  }
}

TEST_F(ImageTest, TheBitmapIsDeletedWithTheElementAndAClickFiresNull) {
  CallLog log;
  ProbeElement click(log, "click");
  HBITMAP handle = SolidBitmap(8, 8);
  auto image = MakePicture(0, 0, 40, 40);
  image->SetBitmapHandle(handle);
  image->onClick = MakeLink<&ProbeElement::recordPoint>(&click);
  HWND window = HandleOf(image->control);
  SendMessageA(HandleOf(form_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), STN_CLICKED), LPARAM(window));
  EXPECT_EQ(log, CallLog{"click:NULL:"});
  EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_BITMAP));
  image.reset();
  EXPECT_EQ(GetObjectType(handle), 0u);
}

}  // namespace
}  // namespace lobrin
