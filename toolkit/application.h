#pragma once
// TApplication: the toolkit's process-wide state in one object, owned by the
// toolkit. Application() is the one instance; everything on the GUI thread
// shares it. Reset puts it back to the state of a process that has made
// nothing yet, which is also its state at program start.

#include <windows.h>

#include <cstdint>

#include "toolkit/control.h"

namespace lobrin {

// The identifier of the first child control; each one made after takes the next.
constexpr std::uint16_t kFirstControlId = 0x8000;

class TApplication {
 public:
  // Back to the start: no application window, no loop, no quit, no hooks.
  void Reset() { *this = TApplication(); }

  // --- The application
  TControl* appWindow = nullptr;  // borrowed; the application window, or none
  bool appWindowInUse = false;    // an application window has been made
  bool loopRunning = false;       // from the loop's start to the application's end
  bool quitReceived = false;      // WM_QUIT taken from the queue, or the application ended

  // --- Making windows
  TControl* creatingControl = nullptr;  // borrowed; whose window CreateWindowExA is making
  std::uint16_t nextControlId = kFirstControlId;

  // --- Hooks; null means "nothing" / "not handled"
  TMessageProc preDispatchHook = nullptr;    // sees every message of every control first
  TMessageProc keyNavigationHook = nullptr;  // sees key messages of the focused control
  TControlProc afterCreateHook = nullptr;
  TControlProc invalidationHook = nullptr;
  TControlProc resizeAlignmentHook = nullptr;
  TControlProc idleHook = nullptr;
  TMeasureHook measureHook = nullptr;
  TRecordProc multimediaNotifyProc = nullptr;
  TPrivateMessageProc privateMessageProc = nullptr;
  TBrushLookupProc backgroundBrushLookup = nullptr;  // null: the toolkit's own lookup

  // --- Cursor
  HCURSOR screenCursor = nullptr;  // borrowed; shown over every client area when set
  int cursorOverrideCount = 0;     // above 0: WM_SETCURSOR is left to the system
};

// The toolkit's one application object.
TApplication& Application();

// The application window, or none.
inline TControl* AppWindow() { return Application().appWindow; }
// True while the message loop runs.
inline bool LoopRunning() { return Application().loopRunning; }
// True once WM_QUIT was taken from the queue or the application ended.
inline bool QuitReceived() { return Application().quitReceived; }

}  // namespace lobrin
