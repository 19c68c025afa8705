#pragma once
// What the toolkit's control files share among themselves; not for elements.

#include "toolkit/control.h"

namespace lobrin {

// Window property that binds a window to its control.
constexpr char kSelfProperty[] = "SELF_";
// Window property holding the procedure a foreign child window had before.
constexpr char kPreviousProcProperty[] = "PREV_PROC";
// WM_SYSCOMMAND's wParam under this mask is the SC_ command; the low bits are the system's.
constexpr WPARAM kSystemCommandMask = 0xFFF0;

// --- Which control a window belongs to (control_registry.cpp) ---
// Binds the window to its control: in-process, and as the "SELF_" property.
void BindWindow(HWND hwnd, TControl* control);
// Unbinds a window that is going away: the property and the in-process entry.
void ForgetWindow(HWND hwnd);
// Drops the in-process entry of a window that is gone (after WM_NCDESTROY).
void ForgetDestroyedWindow(HWND hwnd);

// --- Handlers of the chain (control_handlers.cpp) ---
bool ChildControlHandler(TControl* control, TMessage& msg, LRESULT& result);
bool FormFocusHandler(TControl* control, TMessage& msg, LRESULT& result);
bool FormBackgroundHandler(TControl* control, TMessage& msg, LRESULT& result);
bool AppWindowHandler(TControl* control, TMessage& msg, LRESULT& result);
bool MouseEventHandler(TControl* control, TMessage& msg, LRESULT& result);
bool KeyEventHandler(TControl* control, TMessage& msg, LRESULT& result);
// After-create procedure of the application window: trims its system menu.
void TrimAppSystemMenu(TControl* control);

// --- Windows (control_window.cpp) ---
// EnsureWindow on every child, in list order.
void CreateChildWindows(TControl* control);
// WM_SETICON with the icon the window should carry.
void ApplyIcon(TControl* control);
// Applies the alpha value to an existing window.
void ApplyAlpha(TControl* control);

// --- Tool change procedures (control_setters.cpp) ---
// Runs after the control's font changed: text colour, WM_SETFONT, content changed, redraw.
void FontChanged(void* data, TGraphicTool* tool);
// Runs after the control's brush changed: background colour, cached brush, redraw.
void BrushChanged(void* data, TGraphicTool* tool);

// --- Focus (focus.cpp) ---
// The tab stops of a form, sorted by tab order, equal orders in discovery order.
void CollectTabStops(TControl* form, TList* into);

// --- Paint (control_paint.cpp) ---
// Frees what the paint side of a control owns (canvas, accumulated region).
void ReleasePaintResources(TControl* control);

// Runs `fn` with the control's focus guard raised.
template <typename Fn>
void UnderFocusGuard(TControl* control, Fn fn) {
  ++control->focusGuard;
  fn();
  --control->focusGuard;
}

}  // namespace lobrin
