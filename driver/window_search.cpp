#include "window_search.h"

#include <cstring>
#include <utility>

namespace lobrin::gui {

bool SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result,
                     UINT timeoutMs) {
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs,
                          &answer) == 0) {
    return false;
  }
  if (result != nullptr) {
    *result = static_cast<LRESULT>(answer);
  }
  return true;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  for (const DWORD start = GetTickCount();; Sleep(10)) {
    if (done()) {
      return true;
    }
    if (GetTickCount() - start >= timeoutMs) {
      return false;
    }
  }
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  LRESULT length = 0;
  if (!SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0, &length)) {
    return "<no answer>";
  }
  std::string text(static_cast<size_t>(length) + 1, '\0');
  LRESULT copied = 0;
  if (!SendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied)) {
    return "<no answer>";
  }
  text.resize(static_cast<size_t>(copied));
  return text;
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
  std::pair<DWORD, std::vector<HWND>> found{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* found = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (found->first == 0 || owner == found->first) {
          found->second.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found.second;
}

HWND WaitForTopLevelWindow(DWORD processId, const std::function<bool(HWND)>& accept, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindowsOf(processId)) {
          if (accept(window)) {
            return (found = window) != nullptr;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

RECT RectInParent(HWND parent, HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::vector<ChildControl> ChildControlsOf(HWND parent) {
  std::vector<ChildControl> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back({child, ClassOf(child), RectInParent(parent, child)});
  }
  return children;
}

HWND ControlAt(HWND parent, int left, int top, const char* classPart) {
  // The system names its own classes in mixed case ("Edit"), a superclass may not.
  std::string part = classPart;
  CharUpperA(part.data());
  for (const ChildControl& child : ChildControlsOf(parent)) {
    std::string className = child.className;
    CharUpperA(className.data());
    if (child.rect.left == left && child.rect.top == top && className.find(part) != std::string::npos) {
      return child.window;
    }
  }
  return nullptr;
}

MessageBoxView WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  MessageBoxView view;
  HWND box = WaitForTopLevelWindow(
      processId, [](HWND w) { return IsWindowVisible(w) && ClassOf(w) == "#32770"; }, timeoutMs);
  const auto visibleButtons = [box] {
    int count = 0;
    for (const ChildControl& child : ChildControlsOf(box)) {
      count += _stricmp(child.className.c_str(), "Button") == 0 && IsWindowVisible(child.window);
    }
    return count;
  };
  // The box fills in its controls while it starts; wait until its buttons show.
  if (box == nullptr || !WaitUntil([&] { return visibleButtons() > 0; }, timeoutMs) ||
      !SendWithTimeout(box, WM_NULL, 0, 0)) {
    return view;
  }
  view.window = box;
  view.caption = TextOf(box);
  view.text = TextOf(GetDlgItem(box, 0xFFFF));  // the id of a message box's text control
  view.visibleButtons = visibleButtons();
  return view;
}

bool PressButton(HWND box, int button, DWORD timeoutMs) {
  PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
  return WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }, timeoutMs);
}

}  // namespace lobrin::gui
