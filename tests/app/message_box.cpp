#include "message_box.h"

#include <cstring>

#include "window_search.h"

namespace lobrin::gui {

MessageBoxView WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  MessageBoxView view;
  HWND box = WaitForTopLevelWindow(
      processId, [](HWND w) { return IsWindowVisible(w) && ClassOf(w) == "#32770"; }, timeoutMs);
  // The box fills in its controls while it starts; wait until its OK button shows.
  if (box == nullptr ||
      !WaitUntil([box] { return IsWindowVisible(GetDlgItem(box, IDOK)) != FALSE; }, timeoutMs) ||
      !SendWithTimeout(box, WM_NULL, 0, 0)) {
    return view;
  }
  view.window = box;
  view.caption = TextOf(box);
  view.text = TextOf(GetDlgItem(box, 0xFFFF));  // the id of a message box's text control
  for (const ChildControl& child : ChildControlsOf(box)) {
    if (_stricmp(child.className.c_str(), "Button") == 0 && IsWindowVisible(child.window)) {
      ++view.visibleButtons;
    }
  }
  return view;
}

bool PressOk(HWND box, DWORD timeoutMs) {
  PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  return WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }, timeoutMs);
}

}  // namespace lobrin::gui
