#pragma once
// Answers the next message box of the calling thread from a second thread:
// finds it (class "#32770"), reads its caption and text, presses a button.
// If no box shows up within the timeout the driver gives up; if pressing the
// button does not close it, it closes every box of the thread, so a test
// never hangs in a modal loop.

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace lobrin::testing {

class MessageBoxDriver {
 public:
  // Starts watching the calling thread's windows; `button` is the control id to press.
  explicit MessageBoxDriver(int button, DWORD timeoutMs = 5000)
      : guiThread_(GetCurrentThreadId()), button_(button), timeoutMs_(timeoutMs) {
    worker_ = std::thread([this] { Run(); });
  }
  ~MessageBoxDriver() { Join(); }

  // Waits for the driver to finish; afterwards the fields below are set.
  void Join() {
    if (worker_.joinable()) worker_.join();
  }

  bool found = false;
  std::string caption;
  std::string text;
  bool hasButton[8] = {};  // by id: IDOK..IDNO

 private:
  static BOOL CALLBACK FindBox(HWND w, LPARAM data) {
    char name[16] = {};
    GetClassNameA(w, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(w)) {
      *reinterpret_cast<HWND*>(data) = w;
      return FALSE;
    }
    return TRUE;
  }
  HWND FindOpenBox() const {
    HWND box = nullptr;
    EnumThreadWindows(guiThread_, FindBox, reinterpret_cast<LPARAM>(&box));
    return box;
  }
  static std::string TextOf(HWND w) {
    char buffer[4096] = {};
    if (w != nullptr) GetWindowTextA(w, buffer, sizeof buffer);
    return buffer;
  }

  void Run() {
    HWND box = nullptr;
    for (DWORD waited = 0; box == nullptr && waited < timeoutMs_; waited += 20) {
      Sleep(20);
      box = FindOpenBox();
    }
    if (box == nullptr) return;
    // The box fills in its controls while it starts: wait until the button to press is there.
    for (DWORD waited = 0; GetDlgItem(box, button_) == nullptr && waited < timeoutMs_; waited += 20) Sleep(20);
    found = true;
    caption = TextOf(box);
    text = TextOf(GetDlgItem(box, 0xFFFF));  // the message text's static control
    for (int id = IDOK; id <= IDNO; ++id) hasButton[id] = GetDlgItem(box, id) != nullptr;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button_)));
    for (DWORD waited = 0; IsWindow(box) && waited < timeoutMs_; waited += 20) Sleep(20);
    while ((box = FindOpenBox()) != nullptr) {
      PostMessageA(box, WM_CLOSE, 0, 0);
      Sleep(100);
    }
  }

  DWORD guiThread_;
  int button_;
  DWORD timeoutMs_;
  std::thread worker_;
};

}  // namespace lobrin::testing
