// The handlers the toolkit attaches to the chain of its controls: child
// controls, forms, the application window, and the mouse and key decoding.

#include <cstdlib>

#include <cassert>

#include "toolkit/application.h"
#include "toolkit/control.h"
#include "toolkit/control_internal.h"
#include "toolkit/control_paint.h"
#include "toolkit/lists.h"

namespace lobrin {

namespace {

void Fire(const TNotifyEvent& event, TControl* sender) {
  if (event) {
    event.code(event.data, sender);
  }
}

// The reflected WM_COMMAND: the notification code tells which event fires.
bool OnReflectedCommand(TControl* control, TMessage& msg, LRESULT& result) {
  const std::uint16_t code = HIWORD(msg.wParam);
  const TClassActions& a = control->actions;
  if (code == a.clickedCode) {
    if (control->focusGuard == 0) {
      if (control->preClick != nullptr) {
        control->preClick(control);
      }
      Fire(control->onClick, control);
    }
  } else if (code == a.focusGainedCode) {
    Fire(control->onFocusGained, control);
  } else if (code == a.focusLostCode) {
    Fire(control->onFocusLost, control);
  } else if (code == a.changedCode) {
    Fire(control->onChange, control);
  } else if (code == a.selectionChangedCode) {
    Fire(control->onSelectionChange ? control->onSelectionChange : control->onChange, control);
  } else {
    return false;
  }
  // The control may have been freed by the event: the walk holds it alive.
  result = DefaultProcessing(control, msg);
  return true;
}

bool OnReflectedColour(TControl* control, TMessage& msg, LRESULT& result) {
  HDC dc = reinterpret_cast<HDC>(msg.wParam);
  SetTextColor(dc, ResolveColour(control->textColour));
  if (control->transparent) {
    SetBkMode(dc, TRANSPARENT);
    result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  } else {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ResolveColour(control->backgroundColour));
    result = reinterpret_cast<LRESULT>(ControlBackgroundBrush(control));
  }
  return true;
}

// --- Mouse decoding ---

enum class MouseAction { kMove, kDown, kUp, kDoubleClick, kWheel };

struct MouseRow {
  UINT message;
  MouseAction action;
  MouseButton button;
};

constexpr MouseRow kMouseRows[] = {
    {WM_MOUSEMOVE, MouseAction::kMove, MouseButton::kNone},
    {WM_LBUTTONDOWN, MouseAction::kDown, MouseButton::kLeft},
    {WM_LBUTTONUP, MouseAction::kUp, MouseButton::kLeft},
    {WM_LBUTTONDBLCLK, MouseAction::kDoubleClick, MouseButton::kLeft},
    {WM_RBUTTONDOWN, MouseAction::kDown, MouseButton::kRight},
    {WM_RBUTTONUP, MouseAction::kUp, MouseButton::kRight},
    {WM_RBUTTONDBLCLK, MouseAction::kDoubleClick, MouseButton::kRight},
    {WM_MBUTTONDOWN, MouseAction::kDown, MouseButton::kMiddle},
    {WM_MBUTTONUP, MouseAction::kUp, MouseButton::kMiddle},
    {WM_MBUTTONDBLCLK, MouseAction::kDoubleClick, MouseButton::kMiddle},
    {WM_MOUSEWHEEL, MouseAction::kWheel, MouseButton::kNone},
};

TMouseEvent& MouseEventOf(TControl* control, MouseAction action) {
  switch (action) {
    case MouseAction::kMove: return control->onMouseMove;
    case MouseAction::kDown: return control->onMouseDown;
    case MouseAction::kUp: return control->onMouseUp;
    case MouseAction::kDoubleClick: return control->onMouseDoubleClick;
    case MouseAction::kWheel: break;
  }
  return control->onMouseWheel;
}

std::uint32_t KeyShiftState() {
  std::uint32_t shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) {
    shift |= kShiftShift;
  }
  if (GetKeyState(VK_CONTROL) < 0) {
    shift |= kShiftCtrl;
  }
  if (GetKeyState(VK_MENU) < 0) {
    shift |= kShiftAlt;
  }
  return shift;
}

}  // namespace

bool ChildControlHandler(TControl* control, TMessage& msg, LRESULT& result) {
  if (msg.message == WM_SETFOCUS) {
    result = 0;
    TControl* form = OwningForm(control);
    if (form != nullptr) {
      form->currentControl = control;
    }
    return false;
  }
  if (msg.message == kReflectedCommand) {
    return OnReflectedCommand(control, msg, result);
  }
  if (msg.message >= kReflectedColourFirst && msg.message <= kReflectedColourLast) {
    return OnReflectedColour(control, msg, result);
  }
  return false;
}

bool FormFocusHandler(TControl* form, TMessage& msg, LRESULT& result) {
  if (msg.message == WM_SETFOCUS) {
    bool handled = false;
    TControl* current = form->currentControl;
    if (current != nullptr) {
      current->EnsureWindow();
      if (current->handle != nullptr) {
        SetFocus(current->handle);
      }
      handled = true;
    }
    if (AppWindow() != nullptr && AppWindow() != form) {
      AppWindow()->currentControl = form;
    }
    return handled;
  }
  if (msg.message == WM_ENDSESSION && msg.wParam != 0) {
    // The session ends: the process goes now, the normal way.
    Application().quitReceived = true;
    Application().loopRunning = false;
    TControl* app = AppWindow();
    Application().appWindow = nullptr;
    if (app != nullptr) {
      app->Free();
    }
    result = 0;
    std::exit(0);
  }
  return false;
}

bool FormBackgroundHandler(TControl* form, TMessage& msg, LRESULT& result) {
  if (msg.message != WM_ERASEBKGND) {
    return false;
  }
  CreateChildWindows(form);
  if (form->transparent) {
    return false;
  }
  HDC dc = reinterpret_cast<HDC>(msg.wParam);
  RECT client;
  GetClientRect(form->handle, &client);
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, ResolveColour(form->backgroundColour));
  SetBrushOrgEx(dc, 0, 0, nullptr);
  FillRect(dc, &client, ControlBackgroundBrush(form));
  result = 1;
  return true;
}

bool AppWindowHandler(TControl* app, TMessage& msg, LRESULT& result) {
  if (msg.message == WM_SETFOCUS) {
    TControl* form = app->currentControl;
    if (form != nullptr) {
      form->EnsureWindow();
      if (form->handle != nullptr) {
        SetFocus(form->handle);
      }
    }
    return true;
  }
  if (msg.message == WM_SYSCOMMAND && (msg.wParam & kSystemCommandMask) == SC_CLOSE) {
    auto* first = static_cast<TControl*>(app->children->Get(0));
    if (first != nullptr && IsMainForm(first) && first->handle != nullptr) {
      SendMessageA(first->handle, WM_CLOSE, 0, 0);
    }
    result = 0;
    return true;
  }
  return false;
}

void TrimAppSystemMenu(TControl* app) {
  HMENU menu = GetSystemMenu(app->handle, FALSE);
  if (menu == nullptr) {
    return;
  }
  DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
  DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
  DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
  EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
}

bool MouseEventHandler(TControl* control, TMessage& msg, LRESULT& result) {
  if (msg.hwnd != control->handle || msg.message < WM_MOUSEFIRST || msg.message > WM_MOUSEWHEEL) {
    return false;
  }
  for (const MouseRow& row : kMouseRows) {
    if (row.message != msg.message) {
      continue;
    }
    const TMouseEvent event = MouseEventOf(control, row.action);
    if (!event) {
      return false;
    }
    TMouseRecord mouse;
    mouse.button = row.button;
    mouse.shift = static_cast<std::uint32_t>(msg.wParam);
    if (GetKeyState(VK_MENU) < 0) {
      mouse.shift |= kShiftAlt;
    }
    mouse.x = static_cast<std::int16_t>(LOWORD(msg.lParam));
    mouse.y = static_cast<std::int16_t>(HIWORD(msg.lParam));
    event.code(event.data, control, mouse);
    result = 0;
    return mouse.stop != 0;
  }
  return false;
}

bool KeyEventHandler(TControl* control, TMessage& msg, LRESULT& result) {
  TKeyEvent event;
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: event = control->onKeyDown; break;
    case WM_KEYUP:
    case WM_SYSKEYUP: event = control->onKeyUp; break;
    case WM_CHAR:
    case WM_SYSCHAR: event = control->onChar; break;
    default: return false;
  }
  if (!event) {
    return false;
  }
  std::int32_t key = static_cast<std::int32_t>(msg.wParam);
  event.code(event.data, control, key, KeyShiftState());
  msg.wParam = static_cast<WPARAM>(static_cast<std::uint32_t>(key));
  if (key != 0) {
    return false;
  }
  result = 0;
  return true;
}

void SetMouseEvent(TControl* control, MouseSlot slot, TMouseEvent event) {
  assert(control != nullptr);
  switch (slot) {
    case MouseSlot::kMove: control->onMouseMove = event; break;
    case MouseSlot::kDown: control->onMouseDown = event; break;
    case MouseSlot::kUp: control->onMouseUp = event; break;
    case MouseSlot::kDoubleClick: control->onMouseDoubleClick = event; break;
    case MouseSlot::kWheel: control->onMouseWheel = event; break;
  }
  AttachHandler(control, &MouseEventHandler, false);
}

void SetKeyEvent(TControl* control, KeySlot slot, TKeyEvent event) {
  assert(control != nullptr);
  switch (slot) {
    case KeySlot::kDown: control->onKeyDown = event; break;
    case KeySlot::kUp: control->onKeyUp = event; break;
    case KeySlot::kChar: control->onChar = event; break;
  }
  AttachHandler(control, &KeyEventHandler, false);
}

}  // namespace lobrin
