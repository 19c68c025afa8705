#include "message_box.h"

#include <cstring>

#include "window_search.h"

namespace lobrin::gui {

namespace {

// The id of the text control in a system message box.
constexpr int kMessageTextId = 0xFFFF;

bool IsMessageBox(HWND window) {
  return IsWindowVisible(window) && ClassOf(window) == "#32770";
}

// The box fills in its controls while it starts; wait until its OK button exists.
bool WaitUntilReady(HWND box, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetDlgItem(box, IDOK) == nullptr || !IsWindowVisible(GetDlgItem(box, IDOK))) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(10);
  }
  return SendWithTimeout(box, WM_NULL, 0, 0);
}

}  // namespace

MessageBoxView WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  MessageBoxView view;
  HWND box = WaitForTopLevelWindow(processId, IsMessageBox, timeoutMs);
  if (box == nullptr || !WaitUntilReady(box, timeoutMs)) return view;
  view.window = box;
  view.caption = TextOf(box);
  view.text = TextOf(GetDlgItem(box, kMessageTextId));
  for (const ChildControl& child : ChildControlsOf(box)) {
    if (_stricmp(child.className.c_str(), "Button") == 0 && IsWindowVisible(child.window)) {
      ++view.visibleButtons;
    }
  }
  return view;
}

bool PressOk(HWND box, DWORD timeoutMs) {
  HWND ok = GetDlgItem(box, IDOK);
  if (ok != nullptr) {
    PostMessageA(ok, BM_CLICK, 0, 0);
  } else {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
  const DWORD start = GetTickCount();
  while (IsWindow(box) && IsWindowVisible(box)) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(10);
  }
  return true;
}

}  // namespace lobrin::gui
