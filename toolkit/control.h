#pragma once
// TControl: one object for every window of the program — the hidden application
// window, the forms and the child controls (static texts, edit boxes, buttons).
//
// An object exists before its window: the window is made lazily by EnsureWindow,
// with a superclass of the system class ("obj_STATIC", "obj_EDIT", "obj_BUTTON",
// "obj_Form", "obj_App") whose procedure is ControlWindowProc. Every message of
// such a window reaches HandleMessage, which offers it, in this order and until
// one step reports it handled, to:
//   1. the global pre-dispatch hook (Application().preDispatchHook),
//   2. the application window's message event (only while the loop runs),
//   3. the control's own message event (onMessage),
//   4. the handler chain, the most recently attached handler first,
//   5. the additional message hook,
//   6. the built-in handling of the message (or the system class's procedure),
//   7. then, unless the application has quit or the object is gone, the
//      after-message procedure.
//
// Ownership: a control owns its window, its font, brush and canvas tools, its
// caption and its cached background brush. It frees its children when it is
// destroyed, but the children list holds no other ownership. A control that is
// freed while a message is being dispatched to it is destroyed only when the
// dispatch is over (TObj's deferred destruction).
//
// The process-wide state the controls share (the application window, the
// loop's flags, the global hooks) is the application object of application.h.
//
// Everything here runs on the one GUI thread.

#include <windows.h>

#include <cstdint>
#include <string>

#include "toolkit/graphic_tool.h"
#include "toolkit/lists.h"
#include "toolkit/member_thunk.h"
#include "toolkit/obj.h"

namespace lobrin {

class TControl;
class TCanvas;

// ---------------------------------------------------------------------------
// Message numbers and styles of the toolkit
// ---------------------------------------------------------------------------

// A WM_COMMAND from a child control, sent back to that child by its parent.
constexpr UINT kReflectedCommand = 0xB005;
// WM_CTLCOLORMSGBOX..WM_CTLCOLORSTATIC sent back to the child: message + this offset.
constexpr UINT kReflectedColourOffset = 0xBC00;
constexpr UINT kReflectedColourFirst = WM_CTLCOLORMSGBOX + kReflectedColourOffset;
constexpr UINT kReflectedColourLast = WM_CTLCOLORSTATIC + kReflectedColourOffset;
// The numbers a child control's handler answers reflected colour requests on.
static_assert(kReflectedColourFirst == 0xBD32 && kReflectedColourLast == 0xBD38);
// Posted to a control to free it once the current message is over.
constexpr UINT kFreeControlMessage = 0xB003;
// Private message of the toolkit, handed to PrivateMessageProc.
constexpr UINT kPrivateMessage = 0x8FFF;

constexpr UINT kDefaultClassStyle = CS_OWNDC;
constexpr DWORD kDefaultStyle = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;
constexpr DWORD kDefaultExStyle = WS_EX_CONTROLPARENT;
constexpr DWORD kAppWindowStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX | SS_LEFTNOWORDWRAP;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHLIKE;

// Focus keys: the navigation keys that move the focus away from a control.
constexpr std::uint8_t kFocusKeyTab = 1;
constexpr std::uint8_t kFocusKeyLeftRight = 2;
constexpr std::uint8_t kFocusKeyUpDown = 4;
constexpr std::uint8_t kFocusKeyPage = 8;
constexpr std::uint8_t kFocusKeysAll = 15;

// Edit options of MakeEdit (bit numbers).
enum EditOption : unsigned {
  kEditNoHorizontalScroll = 0,  // when clear: WS_HSCROLL|ES_AUTOHSCROLL
  kEditNoVerticalScroll = 1,    // when clear: WS_VSCROLL|ES_AUTOVSCROLL
  kEditLowerCase = 2,
  kEditMultiLine = 3,
  kEditNoHideSelection = 4,
  kEditOemConvert = 5,
  kEditPassword = 6,
  kEditReadOnly = 7,
  kEditUpperCase = 8,
  kEditWantReturn = 9,
  kEditKeepTab = 10,  // no style; Tab stays inside the edit
  kEditNumber = 11,
};

// Text alignment.
enum class TextAlignment : std::uint8_t { kLeft, kRight, kCenter };

// Window state.
enum class WindowState : std::uint8_t { kNormal, kMinimized, kMaximized };

// Docking side inside the parent's client area.
enum class DockingSide : std::uint8_t { kNone, kLeft, kTop, kRight, kBottom, kClient };

// The mouse button of a notification.
enum class MouseButton : std::uint8_t { kNone, kLeft, kRight, kMiddle };

// ---------------------------------------------------------------------------
// Records handed to handlers
// ---------------------------------------------------------------------------

// One window message on its way through a control; `result` is the result slot.
struct TMessage {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT result = 0;
};

// What mouse handlers receive.
struct TMouseRecord {
  MouseButton button = MouseButton::kNone;
  std::uint8_t stop = 0;    // set by a handler: the message counts as handled
  std::uint32_t shift = 0;  // the message's MK_ flags, plus kShiftAlt while Alt is held
  std::int16_t x = 0;
  std::int16_t y = 0;
};

// Shift-state bits of key and mouse notifications.
constexpr std::uint32_t kShiftShift = 0x04;
constexpr std::uint32_t kShiftCtrl = 0x08;
constexpr std::uint32_t kShiftAlt = 0x20;

// ---------------------------------------------------------------------------
// Events and procedures
// ---------------------------------------------------------------------------

// An event is a code pointer with a data pointer; the data pointer is passed first.
template <typename Signature>
struct TEvent {
  Signature* code = nullptr;
  void* data = nullptr;
  explicit operator bool() const { return code != nullptr; }
  bool operator==(const TEvent& other) const { return code == other.code && data == other.data; }
  bool operator!=(const TEvent& other) const { return !(*this == other); }
};

// The event that calls `Member` on `object`; its type follows from the member's parameters.
template <auto Member>
TEvent<MemberThunkType<Member>> BindEvent(MemberClass<Member>* object) {
  return TEvent<MemberThunkType<Member>>{MemberThunk<Member>, object};
}

using TNotifyEvent = TEvent<void(void* data, TControl* sender)>;
// Sees every message before the handler chain; true: handled.
using TMessageEvent = TEvent<bool(void* data, TMessage& msg, LRESULT& result)>;
// Sets `accept` false to keep the window open.
using TCloseQueryEvent = TEvent<void(void* data, TControl* sender, bool& accept)>;
using TMouseEvent = TEvent<void(void* data, TControl* sender, TMouseRecord& mouse)>;
// Setting `key` to 0 swallows the key; another value replaces it.
using TKeyEvent = TEvent<void(void* data, TControl* sender, std::int32_t& key, std::uint32_t shift)>;
using TPaintEvent = TEvent<void(void* data, TControl* sender, HDC dc)>;

// A handler of the chain, a hook or the after-message procedure; true: handled.
using TMessageProc = bool (*)(TControl* control, TMessage& msg, LRESULT& result);
using TControlProc = void (*)(TControl* control);
// child is the added control, or null after a removal.
using TChildrenChangedProc = void (*)(TControl* parent, TControl* child);
// True when the key is consumed; notKeyDown is set for key releases and characters.
using TKeyNavigationProc = bool (*)(TControl* control, int key, bool notKeyDown);
// Message pre-filter of the loop; true: consumed, not translated nor dispatched.
using TMessageFilterProc = bool (*)(TControl* appWindow, MSG& msg);
using TBrushLookupProc = HBRUSH (*)(TControl* control);
// May change the measured size of a control's text (auto-size).
using TMeasureHook = void (*)(TControl* control, SIZE& size);
using TRecordProc = void (*)(TMessage& msg);
using TPrivateMessageProc = void (*)(WPARAM wParam, LPARAM lParam);

// Colour values (kColourButtonFace, ResolveColour...) come from graphic_tool.h.

// ---------------------------------------------------------------------------
// Class actions: what a kind of child control's notifications mean
// ---------------------------------------------------------------------------

struct TClassActions {
  TControlProc clear = nullptr;  // sets the text to empty
  // Notification codes (high half of WM_COMMAND's wParam), tested in this order.
  std::uint16_t clickedCode = 0;
  std::uint16_t focusGainedCode = 0;
  std::uint16_t focusLostCode = 0;
  std::uint16_t changedCode = 0;
  std::uint16_t selectionChangedCode = 0;
  // Message numbers of the line and selection operations (0: none).
  std::uint16_t getLineCount = 0;
  std::uint16_t lineLength = 0;
  std::uint16_t getLine = 0;
  std::uint16_t replaceSelection = 0;
  std::uint16_t lineIndex = 0;
  std::uint16_t lineFromChar = 0;
  std::uint16_t getSelection = 0;
  std::uint16_t setSelection = 0;
  std::uint16_t limitText = 0;
  // Style bits for left, right and centre alignment, indexed by TextAlignment.
  std::uint16_t alignStyles[3] = {0, 0, 0};
  std::uint8_t removedStyles = 0;  // removed whenever an alignment is set
  // Pixels added to the measured text by auto-size.
  std::uint8_t autoSizeWidthMargin = 0;
  std::uint8_t autoSizeHeightMargin = 0;
};

extern const TClassActions kStaticActions;
extern const TClassActions kEditActions;
extern const TClassActions kButtonActions;

// ---------------------------------------------------------------------------
// TControl
// ---------------------------------------------------------------------------

class TControl : public TObj {
 public:
  TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  // --- What a kind of control may override
  virtual void InitDefaults();                    // the defaults of every object
  virtual void InitWithParent(TControl* parent);  // joins the parent's children
  virtual bool EnsureWindow();                    // makes the window; true when it exists
  virtual LRESULT HandleMessage(TMessage& msg);   // the whole dispatch of one message

  // --- Window
  HWND handle = nullptr;           // owned; zero until the window exists
  HWND secondaryHandle = nullptr;  // borrowed; its focus counts as this control's
  UINT classStyle = kDefaultClassStyle;
  DWORD style = kDefaultStyle;
  DWORD exStyle = kDefaultExStyle;
  HCURSOR cursor = nullptr;     // borrowed; zero: the class cursor
  std::string caption;          // owned copy of the window text
  bool textOnlyInCopy = false;  // reading the text never asks the window
  WindowState windowState = WindowState::kNormal;
  int showCommandToReplay = 0;        // replayed when the parent reopens; 0: none
  WNDPROC previousWndProc = nullptr;  // the system class's procedure; none for forms
  bool destroyed = false;             // the window is gone and the object frees itself
  bool tearingDown = false;           // the destructor runs: messages get default handling only

  // --- Family
  TControl* parent = nullptr;  // borrowed
  TList* children = nullptr;   // owned list of TControl*; destroying frees them

  // --- Flags and settings
  bool enabled = true;
  bool visible = true;
  bool tabStop = false;
  std::int32_t tabOrder = 0;  // on a form: the counter of tab orders given out
  TextAlignment textAlign = TextAlignment::kLeft;
  std::uint8_t alpha = 255;
  TMessageProc afterMessage = nullptr;
  WNDPROC windowProc = nullptr;                // registered for the control's class
  TMessageFilterProc messageFilter = nullptr;  // application window only
  std::int32_t controlId = 0;
  bool isAppWindow = false;
  bool isForm = false;
  bool isChildControl = false;
  std::uint8_t focusKeys = kFocusKeysAll;
  TList* handlers = nullptr;  // owned; pairs (TMessageProc, also-after-quit flag)

  // --- Events
  TNotifyEvent onFocusLost;
  TMessageEvent onMessage;  // sees every message first
  TNotifyEvent onClick;
  TNotifyEvent onChange;
  TNotifyEvent onFocusGained;
  TNotifyEvent onSelectionChange;
  TCloseQueryEvent onCloseQuery;
  TMouseEvent onMouseMove;
  TMouseEvent onMouseDown;
  TMouseEvent onMouseUp;
  TMouseEvent onMouseDoubleClick;
  TMouseEvent onMouseWheel;
  TKeyEvent onKeyDown;
  TKeyEvent onKeyUp;
  TKeyEvent onChar;
  TNotifyEvent onResize;  // after WM_SIZE
  TNotifyEvent onShow;    // WM_SHOWWINDOW shows a window that was hidden
  TPaintEvent onPaint;    // see AttachPaintEvent

  // --- Hooks (none set: "not handled")
  TMessageProc chainDispatcher = nullptr;  // the handler-chain walk once a handler is attached
  TMessageProc keyboardHook = nullptr;
  TMessageProc additionalHook = nullptr;
  TControlProc preClick = nullptr;             // runs before the click event
  TKeyNavigationProc keyNavigation = nullptr;  // per form; inherited by children

  // --- Window class
  std::string baseClassName;            // "STATIC", "EDIT", "BUTTON", "App" or "Form"
  bool registerBaseNameItself = false;  // clear: the class is "obj_" + base name
  TClassActions actions;                // copy of the record of the control's kind

  // --- Look
  bool childrenGet3D = true;
  bool has3D = true;
  std::uint32_t textColour = kColourWindowText;
  std::uint32_t backgroundColour = kColourButtonFace;
  TGraphicTool* font = nullptr;   // owned; linked to the parent's font
  TGraphicTool* brush = nullptr;  // owned; linked to the parent's brush
  TCanvas* canvas = nullptr;      // owned; made by ControlCanvas
  bool transparent = false;       // colour requests get a hollow brush
  bool transparentPainting = false;
  HICON icon = nullptr;       // borrowed; set by SetControlIcon; (HICON)-1: none
  HICON ownedIcon = nullptr;  // owned copy of the application window's icon

  // --- Layout
  int margin = 2;
  int insetTop = 0;
  int insetBottom = 0;
  int insetLeft = 0;
  int insetRight = 0;
  RECT bounds = {0, 0, 0, 0};    // in the parent's client coordinates
  std::uint8_t positionSet = 0;  // bit 0 left, bit 1 top set explicitly
  DockingSide dockingSide = DockingSide::kNone;

  // --- Focus
  TControl* currentControl = nullptr;  // borrowed; form: focus target; app: active form
  bool visibilitySet = false;
  bool showWhenCreated = false;
  std::uint8_t focusGuard = 0;  // above 0: toolkit focus changes fire no events

  // --- Dialog keys
  bool defaultRole = false;               // button: clicked by Enter
  bool cancelRole = false;                // button: clicked by Escape
  TControl* defaultButton = nullptr;      // form; borrowed
  TControl* cancelButton = nullptr;       // form; borrowed
  bool enterClicksFocusedButton = false;  // form or application window
  bool takesEnter = false;                // multi-line edits and buttons
  bool isPushButton = false;
  TMessageEvent savedMessageEvent;  // application window: replaced by the dialog-key filter

  // --- Cached background brush
  HBRUSH cachedBrush = nullptr;  // owned
  COLORREF cachedBrushColour = 0;

  // --- Notification procedures
  TControlProc afterCreate = nullptr;
  TControlProc contentChanged = nullptr;  // after the text or the font changed
  TChildrenChangedProc childrenChanged = nullptr;

  // --- Painting
  HDC paintDC = nullptr;             // borrowed; the context of the paint in progress
  bool eraseOnPaint = false;         // erase flag handed to GetUpdateRgn
  HRGN accumulatedRegion = nullptr;  // owned; accumulated invalid region, if kept

 protected:
  // Forgets the control as its form's current control and hides its window.
  void BeforeDestroy() override;
  // Frees the children, the tools, the icon and the window, and leaves the parent.
  ~TControl() override;
};

// ---------------------------------------------------------------------------
// Making controls (none creates a window yet)
// ---------------------------------------------------------------------------

// The hidden application window that carries the taskbar button.
TControl* MakeAppWindow(const std::string& caption);
// A top-level form inside `parent` (normally the application window).
TControl* MakeForm(TControl* parent, const std::string& caption);
// A "STATIC" text.
TControl* MakeLabel(TControl* parent, const std::string& caption);
// An "EDIT" box; options is a set of EditOption bits.
TControl* MakeEdit(TControl* parent, std::uint32_t options);
// A "BUTTON" push button.
TControl* MakeButton(TControl* parent, const std::string& caption);
// A plain 40 x 40 "STATIC" to paint into.
TControl* MakePaintBox(TControl* parent);
// A child control of a system class, with the class actions record of its kind.
TControl* MakeChildControl(TControl* parent, const char* baseClassName, DWORD style,
                           const TClassActions* actions, bool has3D);
// The object common to all kinds.
TControl* MakeWindowObject(TControl* parent, const char* baseClassName, bool has3D);

// ---------------------------------------------------------------------------
// Window and messages
// ---------------------------------------------------------------------------

// The procedure of every toolkit window class.
LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The window of a control, made first when needed.
HWND HandleOf(TControl* control);
// SendMessageA to the control's window.
LRESULT SendToControl(TControl* control, UINT message, WPARAM wParam, LPARAM lParam);
// The system class's procedure (or DefWindowProcA) for the message.
LRESULT DefaultProcessing(TControl* control, TMessage& msg);
// The control of a toolkit window (the one its "SELF_" property names), or none.
// Answered in-process, without asking the window.
TControl* ControlOfWindow(HWND hwnd);
// Adds a handler to the chain unless it is already there.
void AttachHandler(TControl* control, TMessageProc handler, bool alsoAfterQuit);
// The chain dispatcher: the handlers from the most recently attached to the first.
bool WalkHandlerChain(TControl* control, TMessage& msg, LRESULT& result);
// The form (or application window) a control belongs to.
TControl* OwningForm(TControl* control);
// The main form: not a child control, and either parentless or the first child of a parentless parent.
bool IsMainForm(TControl* control);
// Windows family and version: 6, 5, 4, 3 on NT; 2, 1 on 9x; 0 otherwise.
std::uint8_t SystemVersionCode();

// ---------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------

// Replaces the caption (and the window text), then runs the content-changed procedure.
void SetControlText(TControl* control, const std::string& text);
// The window text, or the caption copy without a window.
std::string GetControlText(TControl* control);
// The same, written into `text` (its memory is reused).
void ReadControlText(TControl* control, std::string& text);
// Repaints the whole client area (erase) unless the application has quit.
void InvalidateControl(TControl* control);

// ---------------------------------------------------------------------------
// Style, look and state
// ---------------------------------------------------------------------------

void SetControlStyle(TControl* control, DWORD style);
void SetControlExStyle(TControl* control, DWORD exStyle);
// Through the style bits of the class actions record.
void SetTextAlignment(TControl* control, TextAlignment alignment);
// Background colour (through the brush tool when there is one).
void SetControlColour(TControl* control, std::uint32_t colour);
// Sunken client edge on, or a single-line border instead.
void SetControl3D(TControl* control, bool on);
void SetControlTransparent(TControl* control, bool on);
void SetControlEnabled(TControl* control, bool on);
void SetControlCursor(TControl* control, HCURSOR cursor);
// Explicit visibility: also marks the visibility as set.
void SetControlVisible(TControl* control, bool on);
// Visibility without marking it as set.
void ApplyVisible(TControl* control, bool on);
// On a change: stores the state and shows the window so (maximised, or normal and minimised without
// activation).
void SetWindowState(TControl* control, WindowState state);
// Opacity 0..255 (a layered window below 255), when the system offers it.
void SetControlAlpha(TControl* control, std::uint8_t alpha);
// The big icon of a top-level window; (HICON)-1 for none, 0 for the default.
void SetControlIcon(TControl* control, HICON icon);
// The module's "MAINICON".
HICON DefaultIcon();
// Docking side; realigns the parent's children when it changes.
void SetDocking(TControl* control, DockingSide side);
// The toolkit's child-alignment procedure (a resize-alignment hook).
void AlignChildren(TControl* parent);

// ---------------------------------------------------------------------------
// Position and size
// ---------------------------------------------------------------------------

// The current bounds in the parent's client coordinates.
RECT ControlBounds(TControl* control);
int ControlLeft(TControl* control);
int ControlTop(TControl* control);
int ControlWidth(TControl* control);
int ControlHeight(TControl* control);
void SetControlLeft(TControl* control, int left);
void SetControlTop(TControl* control, int top);
void SetControlWidth(TControl* control, int width);
void SetControlHeight(TControl* control, int height);
void SetControlPosition(TControl* control, int left, int top);
void SetControlSize(TControl* control, int width, int height);
// Client-area size: adds the difference between window and client size.
void SetClientWidth(TControl* control, int width);
void SetClientHeight(TControl* control, int height);

// ---------------------------------------------------------------------------
// Keyboard focus settings (see focus.h for navigation)
// ---------------------------------------------------------------------------

void SetTabStop(TControl* control, bool on);
void SetFocusKeys(TControl* control, std::uint8_t keys);
// Gives the control this tab order; the form's tab stops at or above it move up by one.
void SetTabOrder(TControl* control, std::int32_t order);

// ---------------------------------------------------------------------------
// Mouse and key events (each setter attaches the decoding handler)
// ---------------------------------------------------------------------------

enum class MouseSlot { kMove, kDown, kUp, kDoubleClick, kWheel };
enum class KeySlot { kDown, kUp, kChar };

void SetMouseEvent(TControl* control, MouseSlot slot, TMouseEvent event);
void SetKeyEvent(TControl* control, KeySlot slot, TKeyEvent event);

}  // namespace lobrin
