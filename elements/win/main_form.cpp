#include "elements/win/main_form.h"

#include <algorithm>
#include <vector>

#include "elements/win/secondary_forms.h"
#include "toolkit/application.h"
#include "toolkit/bitmap.h"
#include "toolkit/control_paint.h"
#include "toolkit/lists.h"

namespace lobrin {

namespace {

// Bits every border style replaces: caption, sizing frame, minimise and
// maximise boxes; and dialog modal frame, tool window, window edge.
constexpr DWORD kBorderStyleBits = WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD kBorderExStyleBits = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;

struct BorderStyle {
  DWORD style;
  DWORD exStyle;
};
constexpr BorderStyle kBorderStyles[] = {
    {0, 0},                                                             // 0 no caption, no frame
    {WS_CAPTION | WS_MINIMIZEBOX, 0},                                   // 1 fixed size
    {WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0},  // 2 sizeable
    {WS_CAPTION, WS_EX_WINDOWEDGE},                                     // 3 dialog-like
    {WS_CAPTION, WS_EX_TOOLWINDOW},                                     // 4 tool window
    {WS_CAPTION | WS_THICKFRAME, WS_EX_TOOLWINDOW},                     // 5 sizeable tool window
    {0, WS_EX_DLGMODALFRAME},                                           // 6 dialog frame, no caption
    {WS_THICKFRAME, WS_EX_TOOLWINDOW},                                  // 7 sizing frame, no caption
    {0, WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME},                        // 8 client edge, no caption
    {WS_THICKFRAME, WS_EX_CLIENTEDGE},                                  // 9 sizing frame, client edge
};

constexpr DWORD kAppToolWindowExStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;
constexpr WPARAM kMoveByDragging = SC_MOVE | HTCAPTION;
constexpr LPARAM kClosedByParent = 1;  // lParam of a WM_CLOSE that a parent form sends

// Main forms alive now: a start routine registered by a form that is gone by
// the time the callbacks run must not reach it.
std::vector<THIMainForm*>& LiveForms() {
  static std::vector<THIMainForm*> forms;
  return forms;
}

bool IsLive(THIMainForm* form) {
  const auto& forms = LiveForms();
  return std::find(forms.begin(), forms.end(), form) != forms.end();
}

}  // namespace

// ---------------------------------------------------------------------------
// Life
// ---------------------------------------------------------------------------

void THIMainForm::Create(TControl* parent) {
  THIWin::Create(parent);
  if (AppWindow() == nullptr) {
    madeAppWindow_ = MakeAppWindow("");
    Application().appWindow = madeAppWindow_;
    ownsAppWindow = true;
  } else {
    ownsAppWindow = false;
  }
  control = MakeForm(parent != nullptr ? parent : AppWindow(), "Form");
  SetControlVisible(control, false);
  control->onShow = TNotifyEvent{
      [](void* form, TControl* sender) { static_cast<THIMainForm*>(form)->Shown(sender); }, this};
  control->margin = 0;
  LiveForms().push_back(this);
  RegisterStartupCallback(TInitProc{&THIMainForm::StartIfLive, this});
  backgroundBitmap = MakeBitmap(0, 0);
}

void THIMainForm::Init() {
  if (positionKey.empty()) {
    positionStore = nullptr;
  } else if (positionKey.find(".ini\\") != std::string::npos) {
    positionStore = &THIMainForm::StorePositionInIni;
  } else {
    positionStore = &THIMainForm::StorePositionInRegistry;
  }

  // The base Init leaves the window hidden; the start routine shows it.
  const bool shownAtStart = visible;
  visible = false;
  if (!ownsAppWindow && control != nullptr && SecondaryFormWindows() != nullptr) {
    secondaryWindow_ = HandleOf(control);
    SecondaryFormWindows()->AddObject("", secondaryWindow_);
  }
  THIWin::Init();
  visible = shownAtStart;
  if (control == nullptr) {
    return;
  }

  SetControlAlpha(control, alphaBlend);
  if (clientSizing) {
    SetClientWidth(control, width);
    SetClientHeight(control, height);
  }
  AttachPaintEvent(control, BindEvent<&THIMainForm::PaintBackground>(this));
  if (afterInit.routine != nullptr) {
    afterInit.routine(afterInit.object);
  }
}

THIMainForm::~THIMainForm() {
  LiveForms().erase(std::remove(LiveForms().begin(), LiveForms().end(), this), LiveForms().end());
  FreeAndNull(backgroundBitmap);
  if (secondaryWindow_ != nullptr && SecondaryFormWindows() != nullptr) {
    TStrListEx* list = SecondaryFormWindows();
    std::int32_t index = list->IndexOfObject(secondaryWindow_);
    if (index >= 0) {
      list->Delete(index);
    }
  }
  // The application window this form made is freed with it, unless the
  // message loop's end has freed it already (it then is no longer AppWindow).
  if (madeAppWindow_ != nullptr && AppWindow() == madeAppWindow_) {
    // The form control goes first, the way the base part frees it.
    if (!controlGone && control != nullptr) {
      control->SetOnDestroy(nullptr, nullptr);
      ApplyVisible(control, false);
      FreeAndNull(control);
      controlGone = true;
    }
    Application().appWindow = nullptr;
    FreeAndNull(madeAppWindow_);
  }
}

void THIMainForm::StartIfLive(void* form) {
  auto* self = static_cast<THIMainForm*>(form);
  if (IsLive(self)) {
    self->Start();
  }
}

void THIMainForm::Start() {
  FireNull(onStart);
  if (control != nullptr && !controlGone) {
    SetControlVisible(control, visible);
  }
}

void THIMainForm::PaintBackground(TControl* sender, HDC dc) {
  TBitmap* bitmap = backgroundBitmap;
  if (bitmap == nullptr || bitmap->Empty() || sender == nullptr) {
    return;
  }
  RECT whole{0, 0, bitmap->Width(), bitmap->Height()};
  bitmap->StretchDraw(dc, whole);
}

// ---------------------------------------------------------------------------
// Setters
// ---------------------------------------------------------------------------

void THIMainForm::SetCaption(const std::string& caption) {
  if (control != nullptr) {
    SetControlText(control, caption);
  }
  if (ownsAppWindow && AppWindow() != nullptr) {
    SetControlText(AppWindow(), caption);
  }
}

void THIMainForm::SetBorderStyle(std::uint8_t borderStyle) {
  if (borderStyle >= std::size(kBorderStyles) || control == nullptr) {
    return;
  }
  const BorderStyle& row = kBorderStyles[borderStyle];
  SetControlStyle(control, (control->style & ~kBorderStyleBits) | row.style);
  SetControlExStyle(control, (control->exStyle & ~kBorderExStyleBits) | row.exStyle);
}

void THIMainForm::SetIcon(HICON icon) {
  if (ownsAppWindow && AppWindow() != nullptr) {
    SetControlIcon(AppWindow(), icon);
  }
  if (icon == nullptr) {
    icon = DefaultIcon();
  }
  if (control != nullptr) {
    SetControlIcon(control, icon);
  }
}

void THIMainForm::SetAppToolWindow(std::uint8_t on) {
  if (on == 1 && ownsAppWindow && AppWindow() != nullptr) {
    SetControlExStyle(AppWindow(), kAppToolWindowExStyle);
  }
}

// ---------------------------------------------------------------------------
// Notifications
// ---------------------------------------------------------------------------

void THIMainForm::Shown(TControl* sender) {
  if (!shownOnce) {
    // Set first: showing minimised or maximised announces the window again.
    shownOnce = true;
    HWND window = control != nullptr ? control->handle : nullptr;
    if (window != nullptr && windowState == WindowState::kMinimized) {
      ShowWindow(window, SW_SHOWMINNOACTIVE);
    }
    if (window != nullptr && windowState == WindowState::kMaximized) {
      ShowWindow(window, SW_MAXIMIZE);
    }
    if (positionStore != nullptr) {
      (this->*positionStore)(false);
    }
  }
  THIWin::Shown(sender);
}

void THIMainForm::MouseDown(TControl* sender, TMouseRecord& mouse) {
  if (dragByClient && control != nullptr && control->handle != nullptr) {
    ReleaseCapture();
    SendMessageA(control->handle, WM_SYSCOMMAND, kMoveByDragging, 0);
  }
  THIWin::MouseDown(sender, mouse);
}

void THIMainForm::FollowWithAppWindow(UINT message) {
  if (!ownsAppWindow || AppWindow() == nullptr || control == nullptr) {
    return;
  }
  if (message == WM_MOVE) {
    SetControlPosition(AppWindow(), ControlLeft(control), ControlTop(control));
  } else {
    SetControlWidth(AppWindow(), ControlWidth(control));
  }
}

void THIMainForm::NotifySecondaryForms() {
  TStrListEx* list = SecondaryFormWindows();
  if (list == nullptr) {
    return;
  }
  for (std::int32_t i = 0; i < list->Count(); ++i) {
    PostMessageA(static_cast<HWND>(list->ObjectAt(i)), InnerMessage(), 0, 0);
  }
}

bool THIMainForm::ControlMessage(TMessage& msg, LRESULT& result) {
  bool handled = false;
  switch (msg.message) {
    case WM_MOVE:
      FollowWithAppWindow(WM_MOVE);
      if (!moveNotifyTag.empty()) {
        NotifySecondaryForms();
      }
      break;
    case WM_SIZE: FollowWithAppWindow(WM_SIZE); break;
    case WM_ACTIVATE:
      // The high word only says whether the window is minimised.
      if (LOWORD(msg.wParam) != WA_INACTIVE) {
        FireNull(onActivate);
      } else {
        FireNull(onDeactivate);
      }
      break;
    case WM_CLOSE: handled = CloseRequest(msg.lParam != kClosedByParent); break;
    case WM_ERASEBKGND:
      if (backgroundBitmap != nullptr && !backgroundBitmap->Empty()) {
        handled = true;
        result = 1;  // the painter covers the background
      }
      break;
    default: break;
  }
  if (!handled) {
    return THIWin::ControlMessage(msg, result);
  }
  return true;
}

bool THIMainForm::CloseRequest(bool normal) {
  bool handled = true;
  if (normal && IntegerFromLink(closeGuardLink) != 0) {
    return handled;
  }

  // Child forms close first; the list may change while they do.
  if (control != nullptr && control->children != nullptr) {
    std::vector<TControl*> childForms;
    for (std::int32_t i = 0; i < control->children->Count(); ++i) {
      auto* child = static_cast<TControl*>(control->children->Get(i));
      if (child != nullptr && child->isForm) {
        childForms.push_back(child);
      }
    }
    for (TControl* child : childForms) {
      if (child->handle != nullptr) {
        SendMessageA(child->handle, WM_CLOSE, 0, kClosedByParent);
      }
    }
  }

  FireNull(onClose);
  if (ownsAppWindow) {
    handled = false;  // the toolkit's own close handling ends the application
    DisableLinks();
  } else if (control != nullptr) {
    // A secondary form hides instead of taking the application down.
    SetControlVisible(control, false);
  }
  if (positionStore != nullptr) {
    (this->*positionStore)(true);
  }
  return handled;
}

}  // namespace lobrin
