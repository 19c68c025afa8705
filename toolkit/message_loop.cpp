// The message loop: waits for messages, dispatches them and runs the idle hook
// until WM_QUIT is taken from the queue or the application is ended.

#include "toolkit/message_loop.h"
#include "toolkit/application.h"

namespace lobrin {

namespace {

enum class Taken { kNothing, kNullMessage, kMessage };

// Takes one message from the queue and handles it.
Taken TakeOneMessage() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    return Taken::kNothing;
  }
  if (msg.message == WM_QUIT) {
    Application().quitReceived = true;
  } else {
    TControl* app = AppWindow();
    const bool consumed = app != nullptr && app->messageFilter != nullptr && app->messageFilter(app, msg);
    if (!consumed) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return msg.message != 0 ? Taken::kMessage : Taken::kNullMessage;
}

}  // namespace

bool ProcessOneMessage() { return TakeOneMessage() == Taken::kMessage; }

void ProcessPendingMessages() {
  // A WM_NULL in the queue does not end the round: what follows it is handled too.
  while (TakeOneMessage() != Taken::kNothing) {
  }
}

void RunMessageLoop(TControl*& appWindow) {
  Application().loopRunning = true;
  Application().appWindow = appWindow;
  if (appWindow != nullptr) {
    appWindow->EnsureWindow();
  }
  while (!QuitReceived()) {
    WaitMessage();
    ProcessPendingMessages();
    const TControlProc idle = Application().idleHook;
    if (idle != nullptr && appWindow != nullptr) {
      idle(appWindow);
    }
  }
  if (appWindow != nullptr) {
    EndApplication(appWindow);
  }
}

void EndApplication(TControl*& appWindow) {
  const bool quitSeen = QuitReceived();
  Application().quitReceived = true;
  Application().loopRunning = false;
  TControl* app = AppWindow();
  Application().appWindow = nullptr;
  if (app == nullptr) {
    app = appWindow;
  }
  if (app != nullptr) {
    app->AddRef();
    if (!quitSeen) {
      ProcessPendingMessages();
      if (app->handle != nullptr) {
        SendMessageA(app->handle, WM_CLOSE, 0, 0);
      }
    }
    appWindow = nullptr;
    app->Free();
    app->Release();
  }
  appWindow = nullptr;
}

}  // namespace lobrin
