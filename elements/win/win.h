#pragma once
// THIWin: the base of every element that owns a window.
//
// It holds the properties the form writes on every windowed element, applies
// them to the element's toolkit control once, in Init, and turns the
// control's key, mouse, focus, move, size and show notifications into output
// events.
//
// Life of an element, as the form drives it:
//   1. construct it (every field starts zero, empty or null);
//   2. Create(parent)           -- parent control, or null for the main form;
//   3. write fields, call the subclass's setters;
//   4. Init()                   -- the subclass makes `control`, then runs the base Init;
//   5. after all links exist: AttachHint(nullptr), AttachOwner(nullptr);
//   6. delete it                -- the destructor is Destroy.
// Fields written after Init do not reach the screen.
//
// How a subclass makes its control (a button, for example):
//
//   void THIButton::Init() {
//     control = MakeButton(parentControl, caption);   // owned by THIWin from now on
//     control->onClick = BindEvent<&THIButton::Clicked>(this);
//     ...                                             // anything the kind needs first
//     THIWin::Init();                                 // applies the fields, installs handlers
//   }
//
// A subclass that needs its control before Init (a label) makes it in its own
// Create after calling THIWin::Create; THIWin::Init then uses that control.
// Either way `control` must exist when THIWin::Init runs; without one Init
// does nothing. The base Init takes the control's message event, mouse, key,
// resize and show handlers and its destroy event; a subclass that wants one of
// these overrides the matching virtual operation instead (and calls the base).
// The control's click and change events are left to the subclass.
//
// All of it runs on the GUI thread.

#include <windows.h>

#include <cstdint>
#include <string>

#include "elements/data.h"
#include "elements/font_rec.h"
#include "elements/hint_manager.h"
#include "toolkit/control.h"

namespace lobrin {

class THIWin;

// Lets another element reach an element's control without knowing its class.
struct TControlGetter {
  TControl* (*routine)(void* element) = nullptr;
  void* element = nullptr;  // borrowed
  TControl* operator()() const { return routine != nullptr ? routine(element) : nullptr; }
};

// An owner that keeps track of controls (none in this program).
struct TOwnerInterface {
  void* owner = nullptr;  // borrowed
  void (*registerControl)(void* owner, TControl* control, std::int32_t paramA, std::int32_t paramB) = nullptr;
  void (*forgetControl)(void* owner, TControl* control) = nullptr;
};

// Reserved: would make a companion control; never set in this program.
using TCompanionFactory = TControl* (*)(THIWin* element);

// The edge of a windowed element's control.
enum class EdgeStyle : std::uint8_t { kSunken, kSingle, kOwn };
// With a sunken edge: the extended edge style that replaces the control's own.
enum class EdgeKind : std::uint8_t { kUnchanged, kNone, kStatic, kDialog, kClientAndDialog };

class THIWin {
 public:
  THIWin() = default;
  THIWin(const THIWin&) = delete;
  THIWin& operator=(const THIWin&) = delete;
  // Destroy: tells the owner, removes the tip, hides and frees the control
  // unless the toolkit has freed it already.
  virtual ~THIWin();

  // --- Steps the form drives
  // Takes the parent control and the defaults (visible, enabled, edge EdgeStyle::kOwn...).
  virtual void Create(TControl* parent);
  // Applies the fields to `control` and installs the handlers (see the .cpp for the order).
  virtual void Init();
  // Gives the control a tooltip of `manager`, or of the default hint manager when
  // null and the hint is not empty.
  void AttachHint(const TTipInterface* manager);
  // Registers the control with `owner` (may be null) and remembers it.
  void AttachOwner(const TOwnerInterface* owner);
  // The record that answers this element's control.
  virtual TControlGetter GetInterface() const;

  // --- What subclasses may override (each fires the matching event)
  virtual void KeyDown(TControl* sender, std::int32_t& key, std::uint32_t shift);
  virtual void KeyUp(TControl* sender, std::int32_t& key, std::uint32_t shift);
  virtual void KeyChar(TControl* sender, std::int32_t& key, std::uint32_t shift);
  virtual void MouseDown(TControl* sender, TMouseRecord& mouse);
  virtual void MouseMove(TControl* sender, TMouseRecord& mouse);
  virtual void MouseEnter(TControl* sender);
  virtual void MouseLeave(TControl* sender);
  virtual void MouseUp(TControl* sender, TMouseRecord& mouse);
  virtual void MouseWheel(TControl* sender, TMouseRecord& mouse);
  // Sees every message of the control first; true: handled.
  virtual bool ControlMessage(TMessage& msg, LRESULT& result);
  // The toolkit destroyed the control object.
  virtual void ControlDestroyed(TControl* sender);
  virtual void Resized(TControl* sender);
  virtual void Shown(TControl* sender);

  // --- Interface record and state kept by the element
  TControlGetter controlGetter;          // set by Init
  bool controlGone = false;              // the toolkit freed `control`
  TControl* parentControl = nullptr;     // borrowed; null for the main form
  TControl* companionControl = nullptr;  // owned; reserved, stays null
  TMessageEvent previousMessageHook;     // the control's message event before Init
  MouseButton lastMouseButton = MouseButton::kNone;
  std::uint32_t lastMouseShift = 0;  // MK_ flags, plus kShiftAlt
  std::int16_t lastMouseX = 0;
  std::int16_t lastMouseY = 0;
  std::int32_t keyOverride = 0;                // -1: none; see the key handlers
  TipHandle hintTip = nullptr;                 // owned through hintManager; null: none
  const TTipInterface* hintManager = nullptr;  // borrowed; null: no tooltip
  const TOwnerInterface* owner = nullptr;      // borrowed
  TControl* control = nullptr;                 // owned; made by the subclass
  std::string moveNotifyTag;                   // main form only

  // --- Properties applied by Init
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;  // outer size
  std::int32_t height = 0;
  DockingSide align = DockingSide::kNone;
  std::int32_t tabOrder = 0;  // >0: this order; 0: tab stop as made; <0: no tab stop
  std::uint32_t colour = 0;   // background colour value; Create copies the parent's
  EdgeStyle edgeStyle = EdgeStyle::kSunken;
  std::string hint;  // empty: no tooltip
  TFontRec font;
  bool parentFont = false;  // take the parent control's font instead of `font`
  bool transparent = false;
  bool visible = false;
  bool enabled = false;
  HCURSOR cursor = nullptr;                         // borrowed; null: the class cursor
  bool captureMouse = false;                        // capture the mouse from press to release
  bool flatStyle = false;                           // BS_FLAT on the control's style
  bool keysToForm = false;                          // the parent's key handlers see each key first
  TCompanionFactory companionFactory = nullptr;     // reserved
  std::uint32_t companionParams[4] = {0, 0, 0, 0};  // reserved
  EdgeKind edgeKind = EdgeKind::kUnchanged;
  std::int32_t ownerParamA = 0;
  std::int32_t ownerParamB = 0;

  // --- Events
  THI_Event onKeyDown;      // Integer: virtual-key code
  THI_Event onKeyUp;        // Integer: virtual-key code
  THI_Event onChar;         // String of one character
  THI_Event onMouseDown;    // Integer: 0 left, 1 right, 2 middle
  THI_Event onMouseMove;    // Integer: held button 0 left, 1 right, 2 middle, -1 none
  THI_Event onMouseUp;      // Integer: 0 left, 1 right, 2 middle
  THI_Event onMouseWheel;   // Integer: wheel delta
  THI_Event onFocus;        // NULL
  THI_Event onBlur;         // NULL
  THI_Event onDoubleClick;  // Integer: 0 left, 1 right, 2 middle
  THI_Event onResize;       // NULL
  THI_Event onShow;         // NULL
  THI_Event onMove;         // NULL
  THI_Event onMouseEnter;   // NULL
  THI_Event onMouseLeave;   // NULL

  // --- Data links
  THI_Event widthLimitLink;   // asked for a width correction while resizing
  THI_Event heightLimitLink;  // asked for a height correction while resizing

 protected:
  // Applies `font` (or the parent's font) to the control's font tool.
  void ApplyFont();
  // Tab stop and tab order from `tabOrder`.
  void ApplyTabOrder();
  // Installs the element's handlers on the control.
  void InstallHandlers();

 private:
  // The control of this element (the routine of controlGetter).
  TControl* OwnControl() { return control; }
  // The key event of `slot`.
  template <KeySlot slot>
  void KeyEvent(TControl* sender, std::int32_t& key, std::uint32_t shift) {
    HandleKey(slot, sender, key, shift);
  }
  // The three key handlers share one rule; `slot` says which virtual to call.
  void HandleKey(KeySlot slot, TControl* sender, std::int32_t& key, std::uint32_t shift);
  // Fires onDoubleClick with the button.
  void MouseDoubleClick(TControl* sender, TMouseRecord& mouse);
  // The destroy event of the control object.
  void ControlObjectDestroyed(TObj* object);
  // Keeps the record of the latest mouse notification.
  void StoreMouse(const TMouseRecord& mouse);
  // Changes a proposed size by the answer of a limit link.
  void ApplySizeLimit(const THI_Event& limitLink, int current, int& proposed);
};

}  // namespace lobrin
