// Transparent painting: a control drawn over its parent's background, and the
// foreign child windows inside such a control.

#include "toolkit/transparency.h"

#include <cassert>

#include "toolkit/application.h"
#include "toolkit/control_internal.h"
#include "toolkit/control_paint.h"

namespace lobrin {

namespace {

bool DrawsTransparently(TControl* control) { return control != nullptr && control->transparentPainting; }

// Paints the control's background with its parent's brush, aligned to the parent.
void PaintParentBackground(TControl* control, HDC dc) {
  TControl* parent = control->parent;
  if (parent == nullptr || control->handle == nullptr) {
    return;
  }
  RECT client;
  GetClientRect(control->handle, &client);
  POINT origin = {0, 0};
  MapWindowPoints(control->handle, parent->handle, &origin, 1);
  SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
  FillRect(dc, &client, ControlBackgroundBrush(parent));
}

bool TransparentPreDispatch(TControl* control, TMessage& msg, LRESULT& result) {
  if (!DrawsTransparently(control)) {
    return false;
  }
  if (msg.message == WM_ERASEBKGND) {
    PaintParentBackground(control, reinterpret_cast<HDC>(msg.wParam));
    result = 1;
    return true;
  }
  if (msg.message == WM_SETTEXT && control->baseClassName == "STATIC" && control->handle != nullptr) {
    // The old text must go with the parent's image behind it: hide, change, show again.
    ShowWindow(control->handle, SW_HIDE);
    result = DefaultProcessing(control, msg);
    ShowWindow(control->handle, SW_SHOWNA);
    UpdateWindow(control->handle);
    return true;
  }
  return false;
}

void TransparentInvalidate(TControl* control) {
  if (!DrawsTransparently(control) || control->parent == nullptr || control->parent->handle == nullptr ||
      control->handle == nullptr) {
    return;
  }
  RECT r;
  GetWindowRect(control->handle, &r);
  MapWindowPoints(HWND_DESKTOP, control->parent->handle, reinterpret_cast<POINT*>(&r), 2);
  InvalidateRect(control->parent->handle, &r, TRUE);
}

void TransparentAfterCreate(TControl* control) {
  if (control->handle != nullptr) {
    SubclassForeignChildren(control->handle);
  }
}

}  // namespace

void EnableTransparentPainting(TControl* control) {
  assert(control != nullptr);
  control->transparentPainting = true;
  Application().preDispatchHook = &TransparentPreDispatch;
  Application().invalidationHook = &TransparentInvalidate;
  Application().afterCreateHook = &TransparentAfterCreate;
  if (control->handle != nullptr) {
    SubclassForeignChildren(control->handle);
  }
  InvalidateControl(control);
}

void SubclassForeignChildren(HWND window) {
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetPropA(child, kPreviousProcProperty) != nullptr) {
      continue;
    }
    LONG_PTR previous = SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignChildProc));
    SetPropA(child, kPreviousProcProperty, reinterpret_cast<HANDLE>(previous));
  }
}

LRESULT CALLBACK ForeignChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_ERASEBKGND || message == WM_NCPAINT) && ControlOfWindow(hwnd) == nullptr) {
    TControl* owner = ControlOfWindow(GetParent(hwnd));
    if (DrawsTransparently(owner)) {
      return message == WM_ERASEBKGND ? 1 : 0;
    }
  }
  auto previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kPreviousProcProperty));
  if (previous == nullptr) {
    return 0;
  }
  if (message == WM_NCDESTROY) {
    // The window goes: give it its own procedure back and forget ours.
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropA(hwnd, kPreviousProcProperty);
  }
  return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

}  // namespace lobrin
