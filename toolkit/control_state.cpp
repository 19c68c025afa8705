// The toolkit's process-wide state and the Windows version test.

#include "toolkit/control.h"
#include "toolkit/control_internal.h"

namespace lobrin {

TControl* AppWindow = nullptr;
bool LoopRunning = false;
bool QuitReceived = false;
TControl* CreatingControl = nullptr;
std::uint16_t NextControlId = 0x8000;
bool AppWindowInUse = false;

TMessageProc PreDispatchHook = nullptr;
TMessageProc KeyNavigationHook = nullptr;
TControlProc AfterCreateHook = nullptr;
TControlProc InvalidationHook = nullptr;
TControlProc ResizeAlignmentHook = nullptr;
TControlProc IdleHook = nullptr;
TMeasureHook MeasureHook = nullptr;
TRecordProc MultimediaNotifyProc = nullptr;
TPrivateMessageProc PrivateMessageProc = nullptr;
HCURSOR ScreenCursor = nullptr;
int CursorOverrideCount = 0;
TBrushLookupProc BackgroundBrushLookup = &DefaultBackgroundBrushLookup;

std::uint8_t SystemVersionCode() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);  // 148 bytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&info)) return 0;
#pragma GCC diagnostic pop
  const DWORD major = info.dwMajorVersion;
  const DWORD minor = info.dwMinorVersion;
  switch (info.dwPlatformId) {
    case VER_PLATFORM_WIN32_NT:
      if (major >= 6) return 6;
      if (major == 5) return minor >= 1 ? 5 : 4;
      return 3;
    case VER_PLATFORM_WIN32_WINDOWS:
      return (major > 4 || (major == 4 && minor >= 10)) ? 2 : 1;
    default:
      return 0;
  }
}

}  // namespace lobrin
