// The window of a control: lazy creation with superclassed window classes,
// the window procedure that finds the control of a window, and destruction.

#include <string>
#include <vector>

#include "toolkit/application.h"
#include "toolkit/control.h"
#include "toolkit/control_internal.h"
#include "toolkit/control_paint.h"
#include "toolkit/lists.h"

namespace lobrin {

namespace {

constexpr char kClassPrefix[] = "obj_";
// A superclass inherits every class style bit of its base but these.
constexpr UINT kInheritedClassStyleMask =
    ~static_cast<UINT>(CS_GLOBALCLASS | CS_PARENTDC | CS_CLASSDC | CS_OWNDC);
// WM_UPDATEUISTATE: clear the hide-focus state so focus rectangles show.
constexpr WPARAM kShowFocusRectangles = MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS);

HINSTANCE ModuleInstance() { return GetModuleHandleA(nullptr); }

std::string ClassNameOf(TControl* control) {
  return control->registerBaseNameItself ? control->baseClassName : kClassPrefix + control->baseClassName;
}

// A class this process has registered (or found registered) for its controls,
// with the procedure of the system class it is built on. Asking the system
// about a class is slow on some systems, so each class is asked about once.
struct RegisteredClass {
  std::string name;
  WNDPROC baseProc;  // none for classes not built on a system class
};

std::vector<RegisteredClass>& RegisteredClasses() {
  static auto* classes = new std::vector<RegisteredClass>;
  return *classes;
}

const RegisteredClass* FindRegisteredClass(const std::string& name) {
  for (const RegisteredClass& known : RegisteredClasses()) {
    if (known.name == name) {
      return &known;
    }
  }
  return nullptr;
}

// The window class template of a control, from its base system class if there is one.
void PrepareClass(TControl* control, WNDCLASSA& wc) {
  wc = WNDCLASSA{};
  wc.style = control->classStyle;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hInstance = ModuleInstance();
  if (!control->baseClassName.empty()) {
    const char* base = control->baseClassName.c_str();
    // System classes are found with any instance on most systems; ask without
    // one as the documented way when the module's own lookup fails.
    if (!GetClassInfoA(ModuleInstance(), base, &wc)) {
      GetClassInfoA(nullptr, base, &wc);
    }
    wc.hInstance = ModuleInstance();
    wc.style &= kInheritedClassStyleMask;
  }
  if (control->previousWndProc == nullptr) {
    control->previousWndProc = wc.lpfnWndProc;
  }
}

// Registers the class unless it exists, and remembers it.
bool EnsureClassRegistered(TControl* control, WNDCLASSA wc, const std::string& className) {
  const WNDPROC baseProc = wc.lpfnWndProc;
  WNDCLASSA existing = {};
  if (!GetClassInfoA(ModuleInstance(), className.c_str(), &existing)) {
    wc.lpszClassName = className.c_str();
    wc.lpfnWndProc = control->windowProc != nullptr ? control->windowProc : &ControlWindowProc;
    wc.hInstance = ModuleInstance();
    if (RegisterClassA(&wc) == 0) {
      return false;
    }
  }
  RegisteredClasses().push_back(RegisteredClass{className, baseProc});
  return true;
}

// The icon a top-level window carries: its own, else a copy of the application
// window's, else the module's default icon. (HICON)-1 means none.
HICON ChooseIcon(TControl* control) {
  const HICON none = reinterpret_cast<HICON>(-1);
  if (control->icon == none) {
    return nullptr;
  }
  if (control->icon != nullptr) {
    return control->icon;
  }
  if (!control->isAppWindow && AppWindow() != nullptr && AppWindow() != control &&
      AppWindow()->icon != nullptr && AppWindow()->icon != none) {
    if (control->ownedIcon == nullptr) {
      control->ownedIcon = static_cast<HICON>(CopyImage(AppWindow()->icon, IMAGE_ICON, 0, 0, 0));
    }
    return control->ownedIcon;
  }
  return DefaultIcon();
}

// A bound window is alive: it is unbound when it is destroyed.
bool WindowBelongsTo(HWND hwnd, TControl* control) {
  return hwnd != nullptr && ControlOfWindow(hwnd) == control;
}

}  // namespace

HICON DefaultIcon() { return LoadIconA(ModuleInstance(), "MAINICON"); }

void ApplyIcon(TControl* control) {
  if (control->handle == nullptr || control->isChildControl) {
    return;
  }
  SendMessageA(control->handle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ChooseIcon(control)));
}

void CreateChildWindows(TControl* control) {
  // By index: creating a window may add or remove children.
  for (std::int32_t i = 0; i < control->children->Count(); ++i) {
    auto* child = static_cast<TControl*>(control->children->Get(i));
    if (child != nullptr) {
      child->EnsureWindow();
    }
  }
}

bool TControl::EnsureWindow() {
  if (tearingDown) {
    return false;
  }
  if (parent != nullptr && HandleOf(parent) == nullptr) {
    return false;
  }

  if (handle != nullptr) {
    if (showWhenCreated) {
      CreateChildWindows(this);
      ApplyVisible(this, true);
      showWhenCreated = false;
    } else {
      CreateChildWindows(this);
    }
    return true;
  }

  DWORD createStyle = style;
  if (!enabled) {
    createStyle |= WS_DISABLED;
  }
  const std::string className = ClassNameOf(this);
  const RegisteredClass* known = FindRegisteredClass(className);
  WNDCLASSA wc;
  if (known != nullptr) {
    if (previousWndProc == nullptr) {
      previousWndProc = known->baseProc;
    }
  } else {
    PrepareClass(this, wc);
  }

  HWND parentHandle = parent != nullptr ? parent->handle : nullptr;
  if ((createStyle & WS_CHILD) != 0 && parentHandle == nullptr) {
    return false;
  }
  if (known == nullptr && !EnsureClassRegistered(this, wc, className)) {
    return false;
  }

  int x = bounds.left;
  int y = bounds.top;
  int width = bounds.right - bounds.left;
  int height = bounds.bottom - bounds.top;
  if (width == 0) {
    width = CW_USEDEFAULT;
  }
  if (height == 0) {
    height = CW_USEDEFAULT;
  }
  if (!isChildControl && (positionSet & 3) == 0) {
    x = CW_USEDEFAULT;
    y = CW_USEDEFAULT;
  }

  Application().creatingControl = this;
  HWND created = CreateWindowExA(
      exStyle, className.c_str(), caption.c_str(), createStyle, x, y, width, height, parentHandle,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), ModuleInstance(), nullptr);
  // A failed creation must not leave this object waiting to adopt a stranger's window.
  if (Application().creatingControl == this) {
    Application().creatingControl = nullptr;
  }
  if (created == nullptr) {
    if (handle != nullptr && !IsWindow(handle)) {
      handle = nullptr;
    }
    return false;
  }
  handle = created;

  SendMessageA(handle, WM_UPDATEUISTATE, kShowFocusRectangles, 0);
  if (ControlOfWindow(handle) == nullptr) {
    BindWindow(handle, this);
  }
  ApplyIcon(this);
  if (alpha < 255) {
    ApplyAlpha(this);
  }

  if (afterCreate != nullptr) {
    afterCreate(this);
  }
  if (const TControlProc created = Application().afterCreateHook; created != nullptr) {
    created(this);
  }
  // Once is enough: a second time would hand the window the same font again.
  if (font != nullptr) {
    FontChanged(this, font);
  }
  CreateChildWindows(this);
  return handle != nullptr;
}

HWND HandleOf(TControl* control) {
  if (control == nullptr) {
    return nullptr;
  }
  if (control->handle != nullptr) {
    return control->handle;
  }
  if (!control->visibilitySet) {
    const bool wasVisible = control->visible;
    ApplyVisible(control, false);
    control->EnsureWindow();
    // Only a control that was to be seen is shown once its parent shows.
    if (wasVisible) {
      control->showWhenCreated = true;
    }
  } else {
    control->EnsureWindow();
  }
  return control->handle;
}

LRESULT SendToControl(TControl* control, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = HandleOf(control);
  if (hwnd == nullptr) {
    return 0;
  }
  return SendMessageA(hwnd, message, wParam, lParam);
}

LRESULT DefaultProcessing(TControl* control, TMessage& msg) {
  HWND hwnd = msg.hwnd != nullptr ? msg.hwnd : control->handle;
  if (control->previousWndProc != nullptr) {
    return CallWindowProcA(control->previousWndProc, hwnd, msg.message, msg.wParam, msg.lParam);
  }
  return DefWindowProcA(hwnd, msg.message, msg.wParam, msg.lParam);
}

LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  TMessage msg;
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.result = 0;

  // The first message of a window being created binds it to its object; a window
  // that already has its object never changes hands.
  TControl* control = ControlOfWindow(hwnd);
  TControl*& creating = Application().creatingControl;
  if (control == nullptr && hwnd != nullptr && creating != nullptr) {
    control = creating;
    control->handle = hwnd;
    BindWindow(hwnd, control);
    creating = nullptr;
  }

  if (control != nullptr) {
    const LRESULT result = control->HandleMessage(msg);
    // Whatever step answered it, the window is gone after its last message.
    if (message == WM_NCDESTROY) {
      ForgetDestroyedWindow(hwnd);
    }
    return result;
  }
  if (AppWindow() != nullptr) {
    return AppWindow()->HandleMessage(msg);
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void TControl::BeforeDestroy() {
  tearingDown = true;
  TControl* form = OwningForm(parent);
  for (TControl* holder : {form, parent, AppWindow()}) {
    if (holder == nullptr) {
      continue;
    }
    if (holder->currentControl == this) {
      holder->currentControl = nullptr;
    }
    if (holder->defaultButton == this) {
      holder->defaultButton = nullptr;
    }
    if (holder->cancelButton == this) {
      holder->cancelButton = nullptr;
    }
  }
  if (WindowBelongsTo(handle, this)) {
    ShowWindow(handle, SW_HIDE);
  }
}

TControl::~TControl() {
  // Children first, the last one first; each is detached so that a child whose
  // destruction is deferred never reaches back into this object.
  if (children != nullptr) {
    while (children->Count() > 0) {
      const std::int32_t last = children->Count() - 1;
      auto* child = static_cast<TControl*>(children->Get(last));
      children->Delete(last);
      if (child == nullptr) {
        continue;
      }
      child->parent = nullptr;
      if (child->font != nullptr) {
        child->font->SetParent(nullptr);
      }
      if (child->brush != nullptr) {
        child->brush->SetParent(nullptr);
      }
      child->Free();
    }
  }

  ReleasePaintResources(this);  // the canvas's tools are linked to the font and brush
  FreeAndNull(font);
  FreeAndNull(brush);

  if (WindowBelongsTo(handle, this)) {
    if (!isChildControl) {
      SendMessageA(handle, WM_SETICON, ICON_BIG, 0);
    }
    DestroyWindow(handle);
  }
  handle = nullptr;
  if (ownedIcon != nullptr) {
    DestroyIcon(ownedIcon);
    ownedIcon = nullptr;
  }
  if (cachedBrush != nullptr) {
    DeleteObject(cachedBrush);
    cachedBrush = nullptr;
  }

  if (parent != nullptr) {
    TControl* old = parent;
    parent = nullptr;
    old->children->Remove(this);
    if (old->currentControl == this) {
      old->currentControl = nullptr;
    }
    if (old->childrenChanged != nullptr) {
      old->childrenChanged(old, nullptr);
    }
  }
  if (AppWindow() == this) {
    Application().appWindow = nullptr;
  }
  if (Application().creatingControl == this) {
    Application().creatingControl = nullptr;
  }
  FreeAndNull(children);
  FreeAndNull(handlers);
}

}  // namespace lobrin
