// Which control a window belongs to, answered in-process. The "SELF_" window
// property says the same to anyone outside the toolkit, but reading it costs
// a round trip to the window server on some systems, and the window procedure
// needs the answer for every message.

#include <unordered_map>

#include "toolkit/control.h"
#include "toolkit/control_internal.h"

namespace lobrin {

namespace {

// Every window of a toolkit control that is alive now. Made on first use and
// never freed, so that a window destroyed late in the process still finds it.
std::unordered_map<HWND, TControl*>& BoundWindows() {
  static auto* windows = new std::unordered_map<HWND, TControl*>(64);
  return *windows;
}

}  // namespace

void BindWindow(HWND hwnd, TControl* control) {
  if (hwnd == nullptr || control == nullptr) {
    return;
  }
  BoundWindows()[hwnd] = control;
  SetPropA(hwnd, kSelfProperty, control);
}

void ForgetWindow(HWND hwnd) {
  if (hwnd == nullptr) {
    return;
  }
  RemovePropA(hwnd, kSelfProperty);
  BoundWindows().erase(hwnd);
}

void ForgetDestroyedWindow(HWND hwnd) { BoundWindows().erase(hwnd); }

TControl* ControlOfWindow(HWND hwnd) {
  if (hwnd == nullptr) {
    return nullptr;
  }
  const auto& windows = BoundWindows();
  const auto found = windows.find(hwnd);
  return found != windows.end() ? found->second : nullptr;
}

}  // namespace lobrin
