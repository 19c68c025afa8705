// The smallest Win32 program with a window of the calculator's size: the
// yardstick for start-up time and memory. Shows one empty 654 x 407 window
// titled "Empty window" and runs a message loop until the window is closed.

#include <windows.h>

namespace {

LRESULT CALLBACK EmptyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = EmptyWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "EmptyWindow";
  if (RegisterClassA(&windowClass) == 0) {
    return 1;
  }

  HWND window = CreateWindowExA(0, "EmptyWindow", "Empty window", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0,
                                0, 654, 407, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    return 1;
  }
  ShowWindow(window, SW_SHOWNORMAL);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
