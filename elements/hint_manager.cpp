#include "elements/hint_manager.h"

#include <commctrl.h>

#include <cstring>
#include <memory>

#include "elements/font_height.h"

namespace lobrin {

struct THintTip {
  TOOLINFOA info{};      // the record the tooltip window knows the tool by
  std::string text;      // owned; info.lpszText points into it
  HFONT font = nullptr;  // owned
};

namespace {

constexpr DWORD kTipStyle = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX;
constexpr UINT kToolFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT;
constexpr UINT kTopmostNoMoveFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;

HFONT MakeTipFont(const TFontRec& rec) {
  LOGFONTA lf{};
  std::strncpy(lf.lfFaceName, rec.name.c_str(), LF_FACESIZE - 1);
  lf.lfHeight = FontHeightFromPoints(rec.size);
  lf.lfCharSet = rec.charset;
  lf.lfWeight = (rec.style & kFontBold) ? FW_BOLD : 0;
  lf.lfItalic = (rec.style & kFontItalic) ? 1 : 0;
  lf.lfUnderline = (rec.style & kFontUnderline) ? 1 : 0;
  lf.lfStrikeOut = (rec.style & kFontStrikeOut) ? 1 : 0;
  return CreateFontIndirectA(&lf);
}

THIHintManager& Self(void* manager) { return *static_cast<THIHintManager*>(manager); }

// Kept for the process lifetime once loaded.
HMODULE commonControlsLibrary = nullptr;
std::unique_ptr<THIHintManager> defaultHintManager;

}  // namespace

THIHintManager::THIHintManager() {
  tipInterface_.manager = this;
  tipInterface_.createTip = [](void* m, HWND control) { return Self(m).CreateTip(control); };
  tipInterface_.destroyTip = [](void* m, TipHandle tip) { Self(m).DestroyTip(tip); };
  tipInterface_.setTipText = [](void* m, TipHandle tip, const std::string& text) {
    Self(m).SetTipText(tip, text);
  };
  tipInterface_.setTipTitle = [](void* m, TipHandle tip, int icon, const std::string& title) {
    Self(m).SetTipTitle(tip, icon, title);
  };
  tipInterface_.trackOn = [](void* m, TipHandle tip) { Self(m).TrackOn(tip); };
  tipInterface_.trackOff = [](void* m, TipHandle tip) { Self(m).TrackOff(tip); };
  tipInterface_.trackPosition = [](void* m, TipHandle tip, std::int16_t x, std::int16_t y) {
    Self(m).TrackPosition(tip, x, y);
  };
  tipFont.name = "Tahoma";
  tipFont.size = 8;
  tipFont.style = 0;
  tipFont.charset = DEFAULT_CHARSET;
  tipFont.colour = 0xFF000017;  // system colour 23, tooltip text
}

TipHandle THIHintManager::CreateTip(HWND control) {
  auto* tip = new THintTip;
  tip->info.cbSize = TTTOOLINFOA_V2_SIZE;
  tip->info.uFlags = kToolFlags;
  tip->info.hwnd = control;
  tip->info.uId = reinterpret_cast<UINT_PTR>(control);
  tip->info.lpszText = tip->text.data();

  DWORD style = kTipStyle | (plainTips ? 0 : TTS_BALLOON);
  HWND window =
      CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr, GetModuleHandleA(nullptr), nullptr);
  tip->info.lParam = reinterpret_cast<LPARAM>(window);
  if (window == nullptr) {
    return tip;  // the tip stays inert
  }

  tip->font = MakeTipFont(tipFont);
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(tip->font), 1);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kTopmostNoMoveFlags);

  RECT margin{tipMargin, tipMargin, tipMargin, tipMargin};
  SendMessageA(window, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tip->info));
  SendMessageA(window, TTM_SETTIPTEXTCOLOR, ResolveColour(tipFont.colour), 0);
  SendMessageA(window, TTM_SETTIPBKCOLOR, ResolveColour(tipBackColor), 0);
  SendMessageA(window, TTM_SETDELAYTIME, TTDT_INITIAL, initialDelay);
  SendMessageA(window, TTM_SETDELAYTIME, TTDT_AUTOPOP, autoPopDelay);
  SendMessageA(window, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
  return tip;
}

void THIHintManager::DestroyTip(TipHandle tip) {
  if (tip == nullptr) {
    return;
  }
  // The tooltip window is owned by the control's window and dies with it, so
  // it may be gone already; the font is the tip's own either way.
  HWND window = TipWindow(tip);
  if (window != nullptr && IsWindow(window)) {
    SendMessageA(window, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tip->info));
    DestroyWindow(window);
  }
  if (tip->font != nullptr) {
    DeleteObject(tip->font);
  }
  delete tip;
}

void THIHintManager::SetTipText(TipHandle tip, const std::string& text) {
  if (tip == nullptr) {
    return;
  }
  tip->text = text;
  tip->info.lpszText = tip->text.data();
  SendMessageA(TipWindow(tip), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tip->info));
}

void THIHintManager::SetTipTitle(TipHandle tip, int icon, const std::string& title) {
  if (tip == nullptr) {
    return;
  }
  SendMessageA(TipWindow(tip), TTM_SETTITLEA, static_cast<WPARAM>(icon),
               reinterpret_cast<LPARAM>(title.c_str()));
}

void THIHintManager::TrackOn(TipHandle tip) {
  if (!trackingMode || tip == nullptr) {
    return;
  }
  SendMessageA(TipWindow(tip), TTM_TRACKACTIVATE, 1, reinterpret_cast<LPARAM>(&tip->info));
}

void THIHintManager::TrackOff(TipHandle tip) {
  if (!trackingMode || tip == nullptr) {
    return;
  }
  SendMessageA(TipWindow(tip), TTM_TRACKACTIVATE, 0, reinterpret_cast<LPARAM>(&tip->info));
}

void THIHintManager::TrackPosition(TipHandle tip, std::int16_t x, std::int16_t y) {
  if (!trackingMode || tip == nullptr) {
    return;
  }
  SendMessageA(TipWindow(tip), TTM_TRACKPOSITION, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

HWND TipWindow(TipHandle tip) { return tip == nullptr ? nullptr : reinterpret_cast<HWND>(tip->info.lParam); }

void InitCommonControlClasses(DWORD classes) {
  InitCommonControls();
  if (commonControlsLibrary == nullptr) {
    commonControlsLibrary = LoadLibraryA("comctl32.dll");
  }
  if (commonControlsLibrary == nullptr) {
    return;
  }
  using InitExProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  auto initEx = reinterpret_cast<InitExProc>(
      reinterpret_cast<void*>(GetProcAddress(commonControlsLibrary, "InitCommonControlsEx")));
  if (initEx == nullptr) {
    return;
  }
  INITCOMMONCONTROLSEX record{sizeof(INITCOMMONCONTROLSEX), classes};
  initEx(&record);
}

THIHintManager* DefaultHintManager() { return defaultHintManager.get(); }

void InitHintManagerModule() {
  constexpr DWORD kAllClasses = 0xFF;
  InitCommonControlClasses(kAllClasses);
  if (!defaultHintManager) {
    defaultHintManager = std::make_unique<THIHintManager>();
  }
}

}  // namespace lobrin
