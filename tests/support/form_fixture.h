#pragma once
// Windows tests: the toolkit's process-wide state reset around each test, a
// hidden application window with one form, and pixels read back from GDI.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "elements/data.h"
#include "toolkit/application.h"
#include "toolkit/control.h"

namespace lobrin::testing {

// Removes every message waiting for this thread, a posted quit included.
inline void DrainMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message != WM_QUIT) {
      DispatchMessageA(&msg);
    }
  }
}

// Puts the process-wide state back to "nothing made yet", link traffic off.
inline void ResetToolkitState() {
  DrainMessages();
  Application().Reset();
  DisableLinks();
}

// The steps recorded by the probes of a test, in order.
inline std::vector<std::string>& Steps() {
  static std::vector<std::string> steps;
  return steps;
}

// A destroy event that records "<name> destroyed".
inline void RecordDestroyed(void* name, TObj*) {
  Steps().push_back(std::string(static_cast<const char*>(name)) + " destroyed");
}

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetToolkitState();
    Steps().clear();
    app_ = MakeAppWindow("");
    form_ = MakeForm(app_, "Test form");
    SetControlPosition(form_, 40, 40);
    SetControlSize(form_, 360, 240);
    SetControlVisible(form_, false);
  }
  void TearDown() override {
    FreeAndNull(app_);  // frees the form and every control on it
    ResetToolkitState();
  }
  // Shows the form and gives it the keyboard focus, as a user's click would.
  void ShowAndFocusForm() {
    SetControlVisible(form_, true);
    SetForegroundWindow(HandleOf(form_));
    SetFocus(HandleOf(form_));
    DrainMessages();
  }

  TControl* app_ = nullptr;
  TControl* form_ = nullptr;
};

inline BITMAPINFO DibInfo(int width, int height) {  // 32 bits; a negative height is top-down
  return BITMAPINFO{{sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
}

inline std::uint32_t ToPixel(COLORREF c) {
  return (std::uint32_t{GetRValue(c)} << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// A top-down 32-bit DIB section selected into its own memory context.
class PixelSurface {
 public:
  PixelSurface(int width, int height, COLORREF fill) : width_(width), height_(height) {
    const BITMAPINFO info = DibInfo(width, -height);
    context_ = CreateCompatibleDC(nullptr);
    section_ =
        CreateDIBSection(context_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(context_, section_);
    std::fill(bits_, bits_ + static_cast<std::ptrdiff_t>(width) * height, ToPixel(fill));
  }
  PixelSurface(const PixelSurface&) = delete;
  PixelSurface& operator=(const PixelSurface&) = delete;
  ~PixelSurface() {
    SelectObject(context_, old_);
    DeleteObject(section_);
    DeleteDC(context_);
  }
  HDC context() const { return context_; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const std::uint32_t p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // The first pixel that differs from expected(x, y), as text; empty when all match.
  template <class Expected>
  std::string FirstMismatch(Expected expected) const {
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (At(x, y) != expected(x, y)) {
          return "(" + std::to_string(x) + "," + std::to_string(y) + ") is " + std::to_string(At(x, y));
        }
      }
    }
    return std::string();
  }

 private:
  int width_, height_;
  HDC context_ = nullptr;
  HBITMAP section_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

}  // namespace lobrin::testing
