#pragma once
// TBitmap: a device-dependent bitmap or a DIB, with its size, drawn by stretching.

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "toolkit/canvas.h"
#include "toolkit/obj.h"

namespace lobrin {

class TBitmap;

// Before-drawing procedure: called with the bitmap before its handle is
// selected into a memory context and before the bitmap is cleared.
using TBitmapProc = void (*)(TBitmap* bitmap);

class TBitmap : public TObj {
 public:
  TBitmap() = default;

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  // True when the width or the height is 0.
  bool Empty() const { return width_ == 0 || height_ == 0; }
  // The bitmap handle (owned by the bitmap; 0 when none).
  HBITMAP Handle() const { return handle_; }

  // Clears the bitmap and makes a new screen-compatible one of that size; no
  // handle when either size is 0 or below, and an empty bitmap when GDI fails.
  void SetSize(std::int32_t width, std::int32_t height);
  // Clears the bitmap and adopts `handle`, taking the size from GetObjectA.
  // A zero handle, or one that is not a bitmap, leaves it empty and not
  // adopted; the bitmap's own handle changes nothing.
  void SetHandle(HBITMAP handle);
  // Clears the bitmap and takes copies of a DIB: its BITMAPINFO block
  // (`info_size` bytes: header and colour table) and its bits. False when the
  // description is unusable; the bitmap is then empty.
  bool SetDIB(const BITMAPINFO* info, std::size_t info_size, const void* bits, std::size_t bits_size);
  // Turns the DIB bits into a DIB section, which becomes the handle; false on failure.
  bool MakeDIBSection();
  // Frees the canvas, the handle and the DIB data; the size becomes 0 x 0.
  void Clear();

  // Stretches the whole bitmap into `rect` of `context` (SRCCOPY). The caller
  // chooses the stretch mode. An empty bitmap draws nothing.
  void StretchDraw(HDC context, const RECT& rect);

  void SetBeforeDrawing(TBitmapProc proc) { before_drawing_ = proc; }
  // The canvas that draws on the bitmap, made on first request (owned).
  TCanvas* Canvas();

 protected:
  ~TBitmap() override;

 private:
  friend struct TBitmapContext;
  void BeforeDrawing();
  void FreeDIB();

  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  HBITMAP handle_ = nullptr;   // owned
  TCanvas* canvas_ = nullptr;  // owned
  TBitmapProc before_drawing_ = nullptr;
  BITMAPINFO* dib_info_ = nullptr;  // owned
  void* dib_bits_ = nullptr;        // owned unless bits_in_section_
  std::size_t dib_bits_size_ = 0;
  bool bits_in_section_ = false;         // the bits belong to the DIB section handle_
  HGDIOBJ canvas_old_bitmap_ = nullptr;  // what the canvas's memory context held before
};

// A bitmap of `width` x `height` compatible with the screen; no handle (and
// an empty bitmap) when either size is 0 or below or GDI fails.
TBitmap* MakeBitmap(std::int32_t width, std::int32_t height);

}  // namespace lobrin
