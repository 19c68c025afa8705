// The toolkit's application object and the Windows version test.

#include "toolkit/application.h"

namespace lobrin {

namespace {
// Constant-initialised: it is whole before any other static initialiser runs.
TApplication theApplication;
}  // namespace

TApplication& Application() { return theApplication; }

std::uint8_t SystemVersionCode() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);  // 148 bytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&info)) {
    return 0;
  }
#pragma GCC diagnostic pop
  const DWORD major = info.dwMajorVersion;
  const DWORD minor = info.dwMinorVersion;
  switch (info.dwPlatformId) {
    case VER_PLATFORM_WIN32_NT:
      if (major >= 6) {
        return 6;
      }
      if (major == 5) {
        return minor >= 1 ? 5 : 4;
      }
      return 3;
    case VER_PLATFORM_WIN32_WINDOWS: return (major > 4 || (major == 4 && minor >= 10)) ? 2 : 1;
    default: return 0;
  }
}

}  // namespace lobrin
