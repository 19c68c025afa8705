#pragma once
// THIImage: a picture element. It shows a bitmap in a plain child control and
// paints it itself: scaled to fit while keeping its proportions, centred, with
// the bands left free at two sides filled with the element's background colour.

#include <windows.h>

#include <cstdint>

#include "elements/data.h"
#include "elements/win/win.h"
#include "toolkit/bitmap.h"

namespace lobrin {

// Draws a picture element's non-empty bitmap into a device context.
struct TDrawRoutine {
  void (*routine)(void* element, HDC context) = nullptr;
  void* element = nullptr;  // borrowed
  void operator()(HDC context) const {
    if (routine != nullptr) {
      routine(element, context);
    }
  }
};

// Stretch modes of SetStretchBltMode.
constexpr std::int32_t kStretchColourOnColour = COLORONCOLOR;  // 3
constexpr std::int32_t kStretchHalftone = HALFTONE;            // 4

class THIImage : public THIWin {
 public:
  // Detaches the paint and click handlers, frees the bitmap, then the base Destroy.
  ~THIImage() override;

  // --- Steps the form drives
  // The base Create and an empty bitmap.
  void Create(TControl* parent) override;
  // Makes the paint box, runs the base Init, installs the click and paint handlers.
  void Init() override;

  // --- Setters (before Init)
  // The bitmap adopts `handle` (and deletes it in the end); 0 changes nothing.
  void SetBitmapHandle(HBITMAP handle);
  // Halftone stretching on NT-family systems, colour-on-colour otherwise or when off.
  void SetSmoothScaling(bool on);
  // The routine that draws the bitmap fitted into the control, for `drawRoutine`.
  TDrawRoutine FittedDrawRoutine();

  // Draws the bitmap scaled to fit and centred, and fills the two free bands.
  void DrawFitted(HDC context);

  // --- Events
  THI_Event onClick;  // NULL, on every click

  // --- Settings
  TBitmap* bitmap = nullptr;     // owned; empty until a handle is given
  std::int32_t stretchMode = 0;  // kStretchColourOnColour or kStretchHalftone
  TDrawRoutine drawRoutine;      // draws a non-empty bitmap; the form sets FittedDrawRoutine()
  bool autoSize = false;         // the control takes the bitmap's size at Init

 private:
  // Fills `rect` of `context` with the control's canvas brush.
  void FillBand(HDC context, const RECT& rect);
  // The paint event: the bitmap through drawRoutine, or the background alone.
  void Paint(TControl* sender, HDC context);
  bool HasControl() const { return control != nullptr && !controlGone; }

  // Fires onClick.
  void Clicked(TControl* sender);
};

}  // namespace lobrin
