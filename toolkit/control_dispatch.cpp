// The dispatch of one message to a control: the steps of HandleMessage, the
// handler chain and the built-in handling table.

#include <windows.h>

#include <mmsystem.h>

#include <cstdint>

#include <cassert>

#include "toolkit/application.h"
#include "toolkit/control.h"
#include "toolkit/control_internal.h"
#include "toolkit/lists.h"

namespace lobrin {

namespace {

// What follows the built-in handling of a message: the after-message procedure,
// or nothing (the call ends there). The steps before it answer "handled" instead.
enum class AfterBuiltIn { kAfterMessage, kEndCall };

// --- Handler chain storage: pairs (handler, also-after-quit flag) ---

void* HandlerItem(TMessageProc handler) { return reinterpret_cast<void*>(handler); }
TMessageProc HandlerOf(void* item) { return reinterpret_cast<TMessageProc>(item); }

// --- The built-in rows; each says whether the after-message procedure follows ---

AfterBuiltIn Default(TControl* control, TMessage& msg) {
  msg.result = DefaultProcessing(control, msg);
  return AfterBuiltIn::kAfterMessage;
}

AfterBuiltIn OnSize(TControl* control, TMessage& msg) {
  msg.result = DefaultProcessing(control, msg);
  switch (msg.wParam) {
    case SIZE_RESTORED: control->windowState = WindowState::kNormal; break;
    case SIZE_MINIMIZED: control->windowState = WindowState::kMinimized; break;
    case SIZE_MAXIMIZED: control->windowState = WindowState::kMaximized; break;
    default: break;
  }
  if (const TControlProc realign = Application().resizeAlignmentHook; realign != nullptr) {
    if (!control->isForm && control->parent != nullptr) {
      realign(control->parent);
    }
    realign(control);
  }
  if (control->onResize) {
    control->onResize.code(control->onResize.data, control);
  }
  return AfterBuiltIn::kEndCall;
}

AfterBuiltIn OnSetFocus(TControl* control, TMessage& msg) {
  if (control->enabled && control->tabStop) {
    UnderFocusGuard(control, [&] {
      SetFocus(control->handle);
      msg.result = DefaultProcessing(control, msg);
    });
    return AfterBuiltIn::kEndCall;
  }
  msg.result = 0;
  return AfterBuiltIn::kAfterMessage;
}

AfterBuiltIn OnClose(TControl* control, TMessage& msg) {
  bool accept = true;
  if (control->onCloseQuery) {
    control->onCloseQuery.code(control->onCloseQuery.data, control, accept);
  }
  if (!accept && LoopRunning()) {
    msg.result = 0;
    return AfterBuiltIn::kAfterMessage;
  }
  // Accepted, or the loop is not running (nothing could keep the window then).
  control->onCloseQuery = TCloseQueryEvent{};
  if (IsMainForm(control) || control == AppWindow() || control->isAppWindow) {
    if (AppWindow() != nullptr && AppWindow() != control && AppWindow()->handle != nullptr) {
      SendMessageA(AppWindow()->handle, WM_CLOSE, 0, 0);
    }
    PostQuitMessage(0);
    msg.result = 0;
    return AfterBuiltIn::kAfterMessage;
  }
  return Default(control, msg);
}

AfterBuiltIn OnShowWindow(TControl* control, TMessage& msg) {
  switch (msg.lParam) {
    case SW_PARENTCLOSING:
      control->showCommandToReplay = IsIconic(msg.hwnd)   ? SW_SHOWMINNOACTIVE
                                     : IsZoomed(msg.hwnd) ? SW_MAXIMIZE
                                                          : SW_SHOWNOACTIVATE;
      return Default(control, msg);
    case SW_PARENTOPENING:
      if (control->showCommandToReplay != 0) {
        const int command = control->showCommandToReplay;
        control->showCommandToReplay = 0;
        ShowWindow(msg.hwnd, command);
      }
      msg.result = 0;
      return AfterBuiltIn::kAfterMessage;
    default: {
      const bool becomesVisible = msg.wParam != 0 && !IsWindowVisible(msg.hwnd);
      Default(control, msg);
      if (becomesVisible && control->onShow) {
        control->onShow.code(control->onShow.data, control);
      }
      return AfterBuiltIn::kAfterMessage;
    }
  }
}

AfterBuiltIn OnSetCursor(TControl* control, TMessage& msg) {
  const TApplication& app = Application();
  if (app.cursorOverrideCount <= 0 && GetCapture() == nullptr && LOWORD(msg.lParam) == HTCLIENT) {
    HCURSOR cursor = app.screenCursor != nullptr ? app.screenCursor : control->cursor;
    if (cursor != nullptr) {
      SetCursor(cursor);
      msg.result = 1;
      return AfterBuiltIn::kAfterMessage;
    }
  }
  return Default(control, msg);
}

AfterBuiltIn OnNcDestroy(TControl* control, TMessage& msg) {
  ForgetWindow(msg.hwnd);
  // The system frees the window's own memory (its text) in the default handling,
  // so every window gets it, also those whose object goes with the window.
  Default(control, msg);
  // The window is gone: its handle must never be used again by this object.
  control->handle = nullptr;
  if (control == AppWindow() || control->isAppWindow) {
    msg.result = 0;
    return AfterBuiltIn::kAfterMessage;
  }
  if (IsMainForm(control)) {
    PostMessageA(msg.hwnd, kFreeControlMessage, 0, 0);
    return AfterBuiltIn::kAfterMessage;
  }
  if (control->isForm && control->parent != nullptr && control->parent == AppWindow()) {
    control->destroyed = true;
    control->Free();
    msg.result = 0;
    return AfterBuiltIn::kEndCall;
  }
  return AfterBuiltIn::kAfterMessage;
}

bool HasFocus(TControl* control) {
  HWND focus = GetFocus();
  return focus != nullptr && (focus == control->handle || focus == control->secondaryHandle);
}

AfterBuiltIn OnKey(TControl* control, TMessage& msg) {
  if (!HasFocus(control)) {
    msg.result = 0;
    return AfterBuiltIn::kAfterMessage;
  }
  const TMessageProc navigationHook = Application().keyNavigationHook;
  if (navigationHook != nullptr && navigationHook(control, msg, msg.result)) {
    return AfterBuiltIn::kEndCall;
  }
  if (control->keyboardHook != nullptr && control->keyboardHook(control, msg, msg.result)) {
    return AfterBuiltIn::kEndCall;
  }
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) {
    return Default(control, msg);
  }
  if (msg.message == WM_CHAR) {
    if (msg.wParam == VK_TAB) {
      msg.wParam = 0;
      msg.result = 0;
      return AfterBuiltIn::kAfterMessage;
    }
    return Default(control, msg);
  }
  TControl* form = OwningForm(control);
  TKeyNavigationProc navigate = form != nullptr ? form->keyNavigation : nullptr;
  if (navigate != nullptr && navigate(control, static_cast<int>(msg.wParam), msg.message != WM_KEYDOWN)) {
    msg.wParam = 0;
    msg.result = 0;
    return AfterBuiltIn::kAfterMessage;
  }
  return Default(control, msg);
}

AfterBuiltIn OnCommand(TControl* control, TMessage& msg) {
  HWND child = reinterpret_cast<HWND>(msg.lParam);
  if (child != nullptr && ControlOfWindow(child) != nullptr) {
    msg.result = SendMessageA(child, kReflectedCommand, msg.wParam, msg.lParam);
    return AfterBuiltIn::kAfterMessage;
  }
  return Default(control, msg);
}

AfterBuiltIn OnSysCommand(TControl* control, TMessage& msg) {
  if ((msg.wParam & kSystemCommandMask) == SC_MINIMIZE && IsMainForm(control) && AppWindow() != nullptr &&
      control != AppWindow() && AppWindow()->handle != nullptr) {
    PostMessageA(AppWindow()->handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    msg.result = 0;
    return AfterBuiltIn::kAfterMessage;
  }
  return Default(control, msg);
}

AfterBuiltIn OnColourRequest(TControl* control, TMessage& msg) {
  HWND child = reinterpret_cast<HWND>(msg.lParam);
  // Only toolkit children know the reflected request; others get the system's colours.
  if (child == nullptr || ControlOfWindow(child) == nullptr) {
    return Default(control, msg);
  }
  msg.result = SendMessageA(child, msg.message + kReflectedColourOffset, msg.wParam, msg.lParam);
  return AfterBuiltIn::kAfterMessage;
}

AfterBuiltIn OnMultimediaNotify(TControl*, TMessage& msg) {
  if (const TRecordProc notify = Application().multimediaNotifyProc; notify != nullptr) {
    notify(msg);
  }
  msg.result = 0;
  return AfterBuiltIn::kEndCall;
}

AfterBuiltIn OnPrivateMessage(TControl*, TMessage& msg) {
  if (const TPrivateMessageProc proc = Application().privateMessageProc; proc != nullptr) {
    proc(msg.wParam, msg.lParam);
  }
  msg.result = 0;
  return AfterBuiltIn::kAfterMessage;
}

AfterBuiltIn OnFreeControl(TControl* control, TMessage& msg) {
  control->destroyed = true;
  control->Free();
  msg.result = 0;
  return AfterBuiltIn::kAfterMessage;
}

struct BuiltInRow {
  UINT first;
  UINT last;
  AfterBuiltIn (*handle)(TControl* control, TMessage& msg);
};

// Messages the toolkit handles itself; every other message gets default processing.
constexpr BuiltInRow kBuiltInRows[] = {
    {WM_SIZE, WM_SIZE, &OnSize},
    {WM_SETFOCUS, WM_SETFOCUS, &OnSetFocus},
    {WM_CLOSE, WM_CLOSE, &OnClose},
    {WM_SHOWWINDOW, WM_SHOWWINDOW, &OnShowWindow},
    {WM_SETCURSOR, WM_SETCURSOR, &OnSetCursor},
    {WM_NCDESTROY, WM_NCDESTROY, &OnNcDestroy},
    {WM_KEYDOWN, WM_SYSDEADCHAR, &OnKey},
    {WM_COMMAND, WM_COMMAND, &OnCommand},
    {WM_SYSCOMMAND, WM_SYSCOMMAND, &OnSysCommand},
    {WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC, &OnColourRequest},
    {MM_MCINOTIFY, MM_MCINOTIFY, &OnMultimediaNotify},
    {kPrivateMessage, kPrivateMessage, &OnPrivateMessage},
    {kFreeControlMessage, kFreeControlMessage, &OnFreeControl},
};

// --- The steps of HandleMessage before the built-in handling; true: handled ---

bool PreDispatchStep(TControl* control, TMessage& msg) {
  const TMessageProc hook = Application().preDispatchHook;
  return hook != nullptr && hook(control, msg, msg.result);
}

bool AppMessageEventStep(TControl* control, TMessage& msg) {
  if (!LoopRunning() || AppWindow() == nullptr || AppWindow() == control) {
    return false;
  }
  const TMessageEvent event = AppWindow()->onMessage;
  return event && event.code(event.data, msg, msg.result);
}

bool MessageEventStep(TControl* control, TMessage& msg) {
  const TMessageEvent event = control->onMessage;
  return event && event.code(event.data, msg, msg.result);
}

bool ChainStep(TControl* control, TMessage& msg) {
  return control->chainDispatcher != nullptr && control->chainDispatcher(control, msg, msg.result);
}

bool AdditionalHookStep(TControl* control, TMessage& msg) {
  return control->additionalHook != nullptr && control->additionalHook(control, msg, msg.result);
}

constexpr bool (*kSteps[])(TControl*, TMessage&) = {
    &PreDispatchStep, &AppMessageEventStep, &MessageEventStep, &ChainStep, &AdditionalHookStep,
};

// A control that is being destroyed, or waits for it, only lets its window go.
LRESULT MinimalHandling(TControl* control, TMessage& msg) {
  if (msg.message == WM_NCDESTROY) {
    ForgetWindow(msg.hwnd);
    msg.result = DefaultProcessing(control, msg);
    if (control->handle == msg.hwnd) {
      control->handle = nullptr;
    }
    return msg.result;
  }
  return DefaultProcessing(control, msg);
}

// Handles the message by the built-in table.
AfterBuiltIn BuiltInHandling(TControl* control, TMessage& msg) {
  for (const BuiltInRow& row : kBuiltInRows) {
    if (msg.message >= row.first && msg.message <= row.last) {
      return row.handle(control, msg);
    }
  }
  return Default(control, msg);
}

}  // namespace

LRESULT TControl::HandleMessage(TMessage& msg) {
  if (msg.hwnd != nullptr && handle == nullptr) {
    handle = msg.hwnd;
  }
  if (tearingDown || DestructionUnderWay() || DestructionRequested()) {
    return MinimalHandling(this, msg);
  }

  // Held for the whole dispatch: a step that frees this control only requests
  // it, and the object is destroyed by the Release below, after the last step.
  AddRef();
  bool handled = false;
  for (auto step : kSteps) {
    handled = step(this, msg);
    if (handled || DestructionRequested()) {
      break;
    }
  }
  if (!handled && !DestructionRequested()) {
    const AfterBuiltIn next = BuiltInHandling(this, msg);
    const bool objectGoes = destroyed || DestructionRequested();
    if (next == AfterBuiltIn::kAfterMessage && !QuitReceived() && !objectGoes && afterMessage != nullptr) {
      afterMessage(this, msg, msg.result);
    }
  }
  const LRESULT result = msg.result;
  Release();
  return result;
}

void AttachHandler(TControl* control, TMessageProc handler, bool alsoAfterQuit) {
  assert(control != nullptr && handler != nullptr);
  if (control->handlers == nullptr) {
    return;
  }
  TList* chain = control->handlers;
  for (std::int32_t i = 0; i + 1 < chain->Count(); i += 2) {
    if (HandlerOf(chain->Get(i)) == handler) {
      return;
    }
  }
  chain->Add(HandlerItem(handler));
  chain->Add(reinterpret_cast<void*>(static_cast<std::intptr_t>(alsoAfterQuit ? 1 : 0)));
  control->chainDispatcher = &WalkHandlerChain;
}

bool WalkHandlerChain(TControl* control, TMessage& msg, LRESULT& result) {
  TList* chain = control->handlers;
  if (control->DestructionUnderWay() || chain == nullptr || chain->Count() == 0) {
    return false;
  }
  control->AddRef();
  bool handled = false;
  for (std::int32_t i = chain->Count() - 2; i >= 0 && !handled; i -= 2) {
    TMessageProc handler = HandlerOf(chain->Get(i));
    const bool alsoAfterQuit = chain->Get(i + 1) != nullptr;
    if (handler == nullptr || (QuitReceived() && !alsoAfterQuit)) {
      continue;
    }
    handled = handler(control, msg, result);
    if (control->DestructionRequested()) {
      break;
    }
  }
  if (control->DestructionRequested()) {
    handled = true;
  }
  control->Release();
  return handled;
}

}  // namespace lobrin
