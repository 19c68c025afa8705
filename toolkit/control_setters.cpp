// Setters of a control: text, style, look, state, position and size, and the
// reactions to a change of the control's font or brush.

#include <cassert>
#include <iterator>

#include "toolkit/application.h"
#include "toolkit/control.h"
#include "toolkit/control_internal.h"
#include "toolkit/lists.h"

namespace lobrin {

namespace {

// SetWindowPos flags that apply a new style and nothing else.
constexpr UINT kApplyStyleFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
constexpr std::uint8_t kLeftSet = 1;
constexpr std::uint8_t kTopSet = 2;

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Stores new bounds and moves the window there.
void ApplyBounds(TControl* control, const RECT& wanted) {
  const RECT current = ControlBounds(control);
  if (SameRect(current, wanted)) {
    return;
  }
  if (wanted.left != current.left) {
    control->positionSet |= kLeftSet;
  }
  if (wanted.top != current.top) {
    control->positionSet |= kTopSet;
  }
  control->bounds = wanted;
  if (control->handle == nullptr) {
    return;
  }
  SetWindowPos(control->handle, nullptr, wanted.left, wanted.top, wanted.right - wanted.left,
               wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE);
  const bool moved = wanted.left != current.left || wanted.top != current.top;
  if (moved && control->baseClassName == "STATIC") {
    InvalidateControl(control);
  }
}

// Window size minus client size, from the window or, without one, from its styles.
SIZE FrameSize(TControl* control) {
  RECT frame = {0, 0, 0, 0};
  if (control->handle != nullptr) {
    RECT window, client;
    GetWindowRect(control->handle, &window);
    GetClientRect(control->handle, &client);
    return SIZE{(window.right - window.left) - client.right, (window.bottom - window.top) - client.bottom};
  }
  AdjustWindowRectEx(&frame, control->style, FALSE, control->exStyle);
  return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

using SetLayeredProc = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

SetLayeredProc LayeredWindowFunction() {
  HMODULE user = GetModuleHandleA("User32");
  if (user == nullptr) {
    return nullptr;
  }
  return reinterpret_cast<SetLayeredProc>(
      reinterpret_cast<void*>(GetProcAddress(user, "SetLayeredWindowAttributes")));
}

}  // namespace

// --- Text ---

void SetControlText(TControl* control, const std::string& text) {
  assert(control != nullptr);
  control->caption = text;
  if (control->handle != nullptr) {
    SetWindowTextA(control->handle, control->caption.c_str());
    InvalidateControl(control);
  }
  if (control->contentChanged != nullptr) {
    control->contentChanged(control);
  }
}

std::string GetControlText(TControl* control) {
  std::string text;
  ReadControlText(control, text);
  return text;
}

void ReadControlText(TControl* control, std::string& text) {
  if (control == nullptr) {
    text.clear();
    return;
  }
  if (control->handle == nullptr || control->textOnlyInCopy) {
    text = control->caption;
    return;
  }
  const int length = GetWindowTextLengthA(control->handle);
  if (length <= 0) {
    text.clear();
    return;
  }
  // The window writes the terminating zero into the string's own final place.
  text.resize(static_cast<std::size_t>(length));
  const int copied = GetWindowTextA(control->handle, &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

void InvalidateControl(TControl* control) {
  assert(control != nullptr);
  if (QuitReceived() || control->handle == nullptr) {
    return;
  }
  // A window that is not on screen yet is painted whole when it shows.
  if (IsWindowVisible(control->handle)) {
    InvalidateRect(control->handle, nullptr, TRUE);
  }
  if (const TControlProc invalidated = Application().invalidationHook; invalidated != nullptr) {
    invalidated(control);
  }
}

// --- Style ---

void SetControlStyle(TControl* control, DWORD style) {
  assert(control != nullptr);
  const DWORD old = control->style;
  control->style = style;
  if (control->handle == nullptr || old == style) {
    return;
  }
  SetWindowLongA(control->handle, GWL_STYLE, static_cast<LONG>(style));
  SetWindowPos(control->handle, nullptr, 0, 0, 0, 0, kApplyStyleFlags);
  InvalidateControl(control);
}

void SetControlExStyle(TControl* control, DWORD exStyle) {
  assert(control != nullptr);
  const DWORD old = control->exStyle;
  control->exStyle = exStyle;
  if (control->handle == nullptr || old == exStyle) {
    return;
  }
  SetWindowLongA(control->handle, GWL_EXSTYLE, static_cast<LONG>(exStyle));
  SetWindowPos(control->handle, nullptr, 0, 0, 0, 0, kApplyStyleFlags);
  InvalidateControl(control);
}

void SetTextAlignment(TControl* control, TextAlignment alignment) {
  const auto index = static_cast<std::size_t>(alignment);
  assert(control != nullptr);
  if (alignment > TextAlignment::kCenter) {
    return;
  }
  control->textAlign = alignment;
  const TClassActions& a = control->actions;
  DWORD others = 0;
  for (std::size_t i = 0; i < std::size(a.alignStyles); ++i) {
    if (i != index) {
      others |= a.alignStyles[i];
    }
  }
  DWORD style = (control->style & ~others) | a.alignStyles[index];
  style &= ~static_cast<DWORD>(a.removedStyles);
  SetControlStyle(control, style);
}

// --- Look ---

void SetControlColour(TControl* control, std::uint32_t colour) {
  assert(control != nullptr);
  if (control->brush != nullptr) {
    control->brush->SetColour(colour);  // BrushChanged follows when it differs
    control->backgroundColour = colour;
    return;
  }
  control->backgroundColour = colour;
  if (control->cachedBrush != nullptr) {
    DeleteObject(control->cachedBrush);
    control->cachedBrush = nullptr;
  }
  InvalidateControl(control);
}

void SetControl3D(TControl* control, bool on) {
  assert(control != nullptr);
  if (control->has3D == on) {
    return;
  }
  control->has3D = on;
  if (on) {
    SetControlStyle(control, control->style & ~static_cast<DWORD>(WS_BORDER));
    SetControlExStyle(control, control->exStyle | WS_EX_CLIENTEDGE);
  } else {
    SetControlExStyle(control, control->exStyle & ~static_cast<DWORD>(WS_EX_CLIENTEDGE));
    SetControlStyle(control, control->style | WS_BORDER);
  }
}

void SetControlTransparent(TControl* control, bool on) {
  assert(control != nullptr);
  if (control->transparent == on) {
    return;
  }
  control->transparent = on;
  InvalidateControl(control);
}

void SetControlEnabled(TControl* control, bool on) {
  assert(control != nullptr);
  control->enabled = on;
  if (control->handle != nullptr) {
    EnableWindow(control->handle, on ? TRUE : FALSE);
  }
}

void SetControlCursor(TControl* control, HCURSOR cursor) {
  assert(control != nullptr);
  control->cursor = cursor;
}

void ApplyVisible(TControl* control, bool on) {
  assert(control != nullptr);
  control->style = on ? (control->style | WS_VISIBLE) : (control->style & ~static_cast<DWORD>(WS_VISIBLE));
  control->visible = on;
  if (!on) {
    control->showWhenCreated = false;
  }
  if (control->handle == nullptr) {
    return;
  }
  // Shown now: nothing is left to show when the parent's windows are made.
  control->showWhenCreated = false;
  ShowWindow(control->handle, on ? SW_SHOW : SW_HIDE);
  if (const TControlProc realign = Application().resizeAlignmentHook; realign != nullptr) {
    if (control->parent != nullptr) {
      realign(control->parent);
    }
    if (on) {
      realign(control);
    }
  }
}

void SetControlVisible(TControl* control, bool on) {
  assert(control != nullptr);
  control->visibilitySet = true;
  ApplyVisible(control, on);
}

void SetWindowState(TControl* control, WindowState state) {
  assert(control != nullptr);
  if (state > WindowState::kMaximized || control->windowState == state) {
    return;
  }
  control->windowState = state;
  static constexpr int kShowCommands[] = {SW_SHOWNOACTIVATE, SW_SHOWMINNOACTIVE, SW_MAXIMIZE};
  HWND hwnd = HandleOf(control);
  if (hwnd != nullptr) {
    ShowWindow(hwnd, kShowCommands[static_cast<std::size_t>(state)]);
  }
}

void ApplyAlpha(TControl* control) {
  SetLayeredProc setLayered = LayeredWindowFunction();
  if (setLayered == nullptr || control->handle == nullptr) {
    return;
  }
  setLayered(control->handle, 0, control->alpha, LWA_ALPHA);
}

void SetControlAlpha(TControl* control, std::uint8_t alpha) {
  assert(control != nullptr);
  if (control->alpha == alpha) {
    return;
  }
  if (LayeredWindowFunction() == nullptr) {
    return;
  }
  control->alpha = alpha;
  if (alpha < 255) {
    SetControlExStyle(control, control->exStyle | WS_EX_LAYERED);
    ApplyAlpha(control);
  } else {
    SetControlExStyle(control, control->exStyle & ~static_cast<DWORD>(WS_EX_LAYERED));
  }
}

void SetControlIcon(TControl* control, HICON icon) {
  assert(control != nullptr);
  control->icon = icon;
  ApplyIcon(control);
}

// --- Focus settings ---

void SetTabStop(TControl* control, bool on) {
  assert(control != nullptr);
  control->tabStop = on;
}

void SetFocusKeys(TControl* control, std::uint8_t keys) {
  assert(control != nullptr);
  control->focusKeys = keys;
}

void SetTabOrder(TControl* control, std::int32_t order) {
  assert(control != nullptr);
  if (control->tabOrder == order) {
    return;
  }
  TControl* form = OwningForm(control);
  if (form != nullptr) {
    TList* stops = new TList;
    CollectTabStops(form, stops);
    for (std::int32_t i = 0; i < stops->Count(); ++i) {
      auto* stop = static_cast<TControl*>(stops->Get(i));
      if (stop != control && stop->tabOrder >= order) {
        stop->tabOrder += 1;
      }
    }
    stops->Free();
  }
  control->tabOrder = order;
}

// --- Position and size ---

RECT ControlBounds(TControl* control) {
  if (control == nullptr) {
    return RECT{0, 0, 0, 0};
  }
  if (control->handle == nullptr) {
    return control->bounds;
  }
  RECT r;
  GetWindowRect(control->handle, &r);
  if (control->isChildControl) {
    HWND parentHandle = GetParent(control->handle);
    if (parentHandle != nullptr) {
      MapWindowPoints(HWND_DESKTOP, parentHandle, reinterpret_cast<POINT*>(&r), 2);
    }
  }
  return r;
}

int ControlLeft(TControl* control) { return ControlBounds(control).left; }
int ControlTop(TControl* control) { return ControlBounds(control).top; }
int ControlWidth(TControl* control) {
  const RECT r = ControlBounds(control);
  return r.right - r.left;
}
int ControlHeight(TControl* control) {
  const RECT r = ControlBounds(control);
  return r.bottom - r.top;
}

void SetControlPosition(TControl* control, int left, int top) {
  assert(control != nullptr);
  const RECT r = ControlBounds(control);
  ApplyBounds(control, RECT{left, top, left + (r.right - r.left), top + (r.bottom - r.top)});
}

void SetControlSize(TControl* control, int width, int height) {
  assert(control != nullptr);
  const RECT r = ControlBounds(control);
  ApplyBounds(control, RECT{r.left, r.top, r.left + width, r.top + height});
}

void SetControlLeft(TControl* control, int left) { SetControlPosition(control, left, ControlTop(control)); }
void SetControlTop(TControl* control, int top) { SetControlPosition(control, ControlLeft(control), top); }
void SetControlWidth(TControl* control, int width) { SetControlSize(control, width, ControlHeight(control)); }
void SetControlHeight(TControl* control, int height) {
  SetControlSize(control, ControlWidth(control), height);
}

void SetClientWidth(TControl* control, int width) {
  assert(control != nullptr);
  SetControlWidth(control, width + FrameSize(control).cx);
}

void SetClientHeight(TControl* control, int height) {
  assert(control != nullptr);
  SetControlHeight(control, height + FrameSize(control).cy);
}

// --- Tool changes ---

void FontChanged(void* data, TGraphicTool* tool) {
  auto* control = static_cast<TControl*>(data);
  assert(control != nullptr && tool != nullptr);
  if (control->tearingDown) {
    return;
  }
  control->textColour = tool->Colour();
  if (control->handle != nullptr) {
    // A window that is not on screen yet is painted whole when it shows.
    const LPARAM redraw = IsWindowVisible(control->handle) ? TRUE : FALSE;
    SendMessageA(control->handle, WM_SETFONT, reinterpret_cast<WPARAM>(tool->FontHandle()), redraw);
  }
  if (control->contentChanged != nullptr) {
    control->contentChanged(control);
  }
  InvalidateControl(control);
}

void BrushChanged(void* data, TGraphicTool* tool) {
  auto* control = static_cast<TControl*>(data);
  assert(control != nullptr && tool != nullptr);
  if (control->tearingDown) {
    return;
  }
  control->backgroundColour = tool->Colour();
  if (control->cachedBrush != nullptr) {
    DeleteObject(control->cachedBrush);
    control->cachedBrush = nullptr;
  }
  InvalidateControl(control);
}

}  // namespace lobrin
