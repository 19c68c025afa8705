#include "window_search.h"

namespace lobrin::gui {

bool SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result,
                     UINT timeoutMs) {
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                          timeoutMs, &answer) == 0) {
    return false;
  }
  if (result != nullptr) *result = static_cast<LRESULT>(answer);
  return true;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  LRESULT length = 0;
  if (!SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0, &length)) return "<no answer>";
  std::string text(static_cast<size_t>(length) + 1, '\0');
  LRESULT copied = 0;
  if (!SendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                       &copied)) {
    return "<no answer>";
  }
  text.resize(static_cast<size_t>(copied));
  return text;
}

namespace {

struct WindowCollection {
  DWORD processId;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
  auto* collection = reinterpret_cast<WindowCollection*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (collection->processId == 0 || owner == collection->processId) {
    collection->windows.push_back(window);
  }
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
  auto* collection = reinterpret_cast<WindowCollection*>(data);
  collection->windows.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
  WindowCollection collection{processId, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&collection));
  return collection.windows;
}

HWND WaitForTopLevelWindow(DWORD processId, const std::function<bool(HWND)>& accept,
                           DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    for (HWND window : TopLevelWindowsOf(processId)) {
      if (accept(window)) return window;
    }
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(10);
  }
}

RECT RectInParent(HWND parent, HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::vector<ChildControl> ChildControlsOf(HWND parent) {
  WindowCollection collection{0, {}};
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&collection));
  std::vector<ChildControl> children;
  for (HWND window : collection.windows) {
    if (GetParent(window) != parent) continue;
    children.push_back({window, ClassOf(window), RectInParent(parent, window)});
  }
  return children;
}

}  // namespace lobrin::gui
