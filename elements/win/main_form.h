#pragma once
// THIMainForm: the windowed element whose control is a top-level form.
//
// It makes (and then owns) the toolkit's application window when none exists
// yet, keeps the form hidden until the start-up callbacks run after link
// traffic is switched on, and handles closing: an optional close guard, child
// forms, the close event, switching link traffic off, saving the position.
//
// The position can be kept between runs, selected by `positionKey`:
//   ""                  nowhere;
//   "settings.ini\Main" section Main of settings.ini in the program's directory
//                       (the text ".ini\" selects the ini file, case-sensitive);
//   "Acme\Main"         values of HKEY_CURRENT_USER\Software\Acme\Main.
//
// Order of use: Create(null); fields; SetCaption; SetBorderStyle; windowState;
// SetIcon; SetAppToolWindow; more fields; Init; after all links AttachHint and
// AttachOwner. The window shows when RunStartupCallbacks runs.

#include <cstdint>
#include <string>

#include "elements/win/win.h"

namespace lobrin {

class TBitmap;

class THIMainForm : public THIWin {
 public:
  // Where the position is kept: a persistence routine taking the save flag.
  using PositionStore = void (THIMainForm::*)(bool save);

  THIMainForm() = default;
  // Destroy: frees the background bitmap, leaves the secondary-form list,
  // destroys the control and the application window it made.
  ~THIMainForm() override;

  // --- Steps the form drives
  // Makes the application window if needed, the hidden form control, the
  // start routine's registration and an empty background bitmap.
  void Create(TControl* parent) override;
  // Chooses the position store, runs the base Init with the window hidden,
  // then applies opacity, client size and the background painter.
  void Init() override;

  // --- Setters
  // The form's caption, and the application window's when this form owns it.
  void SetCaption(const std::string& caption);
  // Border style 0..9 (table in the .cpp); larger values change nothing.
  void SetBorderStyle(std::uint8_t borderStyle);
  // The icon of the application window (when owned) and of the form (0: the default icon).
  void SetIcon(HICON icon);
  // 1 makes the owned application window a tool window; other values do nothing.
  void SetAppToolWindow(std::uint8_t on);

  // --- Closing
  // Answers a close request; `normal` is false for a close forced by a parent
  // form. True: handled here, the toolkit does not close the window.
  bool CloseRequest(bool normal);

  // --- Position persistence (what positionStore may point at)
  void StorePositionInRegistry(bool save);
  void StorePositionInIni(bool save);

  // --- Overrides
  void MouseDown(TControl* sender, TMouseRecord& mouse) override;
  bool ControlMessage(TMessage& msg, LRESULT& result) override;
  void Shown(TControl* sender) override;

  // --- State
  bool ownsAppWindow = false;           // Create made the application window
  bool shownOnce = false;               // the first Shown has run
  TBitmap* backgroundBitmap = nullptr;  // owned; painted as the background when not empty

  // --- Settings
  bool dragByClient = false;                       // a press anywhere in the client area moves the window
  std::uint8_t alphaBlend = 0;                     // opacity, 255 opaque
  WindowState windowState = WindowState::kNormal;  // at the first show
  PositionStore positionStore = nullptr;           // chosen by Init from positionKey
  std::string positionKey;                         // see the header comment
  bool clientSizing = false;                       // width and height give the client area
  TInitProc afterInit;                             // called as the last step of Init

  // --- Data link and events
  THI_Event closeGuardLink;  // answers non-zero to refuse a close
  THI_Event onActivate;      // NULL
  THI_Event onDeactivate;    // NULL
  THI_Event onStart;         // NULL, once, just before the window first shows
  THI_Event onClose;         // NULL, when the window closes for good

 private:
  // Fires onStart and shows the window; run once by RunStartupCallbacks.
  void Start();
  // The start-up callback: Start, unless the form is gone by then.
  static void StartIfLive(void* form);
  // The paint event: the background bitmap stretched over the client area.
  void PaintBackground(TControl* sender, HDC dc);
  // Keeps the application window at the form's position and width.
  void FollowWithAppWindow(UINT message);
  void NotifySecondaryForms();

  TControl* madeAppWindow_ = nullptr;  // owned while it is the application window
  HWND secondaryWindow_ = nullptr;     // the handle this form put on the secondary list
};

}  // namespace lobrin
