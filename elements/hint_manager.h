#pragma once
// Tooltips for windowed elements.
//
// One THIHintManager serves the whole process (the default hint manager, made
// by InitHintManagerModule at start-up). An element with a hint asks it for a
// tip through its tip interface: createTip makes a "tooltips_class32" window
// with the manager's font, colours and delays for the element's control and
// hands back a tip handle, which the element passes to every later call and
// finally to destroyTip. Settings changed after createTip do not reach tips
// that already exist.

#include <windows.h>

#include <cstdint>
#include <string>

#include "elements/font_rec.h"

namespace lobrin {

// One tip: opaque to elements; owned by the manager from createTip to destroyTip.
struct THintTip;
using TipHandle = THintTip*;

// The seven operations of a hint manager, each run on `manager`. Elements
// reach a manager only through this table, so another manager with the same
// table could serve them.
struct TTipInterface {
  void* manager = nullptr;  // borrowed: the object every operation runs on
  TipHandle (*createTip)(void* manager, HWND control) = nullptr;
  void (*destroyTip)(void* manager, TipHandle tip) = nullptr;
  void (*setTipText)(void* manager, TipHandle tip, const std::string& text) = nullptr;
  void (*setTipTitle)(void* manager, TipHandle tip, int icon, const std::string& title) = nullptr;
  void (*trackOn)(void* manager, TipHandle tip) = nullptr;
  void (*trackOff)(void* manager, TipHandle tip) = nullptr;
  void (*trackPosition)(void* manager, TipHandle tip, std::int16_t x, std::int16_t y) = nullptr;
};

class THIHintManager {
 public:
  // Makes the tip interface, bound to this manager, and applies the defaults.
  THIHintManager();
  THIHintManager(const THIHintManager&) = delete;
  THIHintManager& operator=(const THIHintManager&) = delete;

  // The table through which elements use this manager.
  const TTipInterface* GetTipInterface() const { return &tipInterface_; }

  // --- Settings, read by CreateTip ---
  bool plainTips = true;                    // false: balloon tips
  std::uint32_t tipBackColor = 0xFF000018;  // system colour 24, tooltip background
  std::int32_t initialDelay = 500;          // ms the pointer rests before a tip shows
  std::int32_t autoPopDelay = 5000;         // ms a tip stays shown
  std::int32_t tipMargin = 0;               // pixels around the tip text
  bool trackingMode = false;                // tips follow the mouse
  TFontRec tipFont;                         // its colour is the tip text colour

  // --- The operations of the tip interface ---
  // Makes a tooltip window and its font for `control`; returns the tip.
  TipHandle CreateTip(HWND control);
  // Removes the tip, destroys its tooltip window and font, frees the record.
  void DestroyTip(TipHandle tip);
  // Shows `text` in the tip; the tip keeps its own copy.
  void SetTipText(TipHandle tip, const std::string& text);
  // Gives the tip a title with a standard icon (TTM_SETTITLEA).
  void SetTipTitle(TipHandle tip, int icon, const std::string& title);
  // Tracking tips only: shows, hides or moves the tip; nothing otherwise.
  void TrackOn(TipHandle tip);
  void TrackOff(TipHandle tip);
  void TrackPosition(TipHandle tip, std::int16_t x, std::int16_t y);

 private:
  TTipInterface tipInterface_;  // owned; every entry bound to this
};

// The tooltip window of a tip (null when none was made).
HWND TipWindow(TipHandle tip);

// Registers the common control classes in `classes` (InitCommonControls, then
// "InitCommonControlsEx" from "comctl32.dll" when the library offers it).
void InitCommonControlClasses(DWORD classes);

// The process-wide default hint manager; null before InitHintManagerModule.
THIHintManager* DefaultHintManager();

// Start-up initialiser of the hint-manager module: initialises all common
// control classes and creates the default hint manager (once per process).
void InitHintManagerModule();

}  // namespace lobrin
