#include "elements/win/win.h"

#include <iterator>

#include "elements/font_height.h"
#include "toolkit/application.h"
#include "toolkit/graphic_tool.h"
#include "toolkit/transparency.h"

namespace lobrin {

namespace {

constexpr UINT kHiddenOnTopFlags =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW | SWP_NOOWNERZORDER;

// Extended style of each EdgeKind but kUnchanged (index 0, unused).
constexpr DWORD kEdgeKindExStyles[] = {0, 0, WS_EX_STATICEDGE, WS_EX_DLGMODALFRAME,
                                       WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME};

// Button number of a mouse record (1 left, 2 right, 3 middle) as an event value.
std::int32_t ButtonValue(const TMouseRecord& mouse) { return static_cast<std::int32_t>(mouse.button) - 1; }

// The button held during a move, from the key-state flags of the notification.
std::int32_t HeldButton(std::uint32_t shift) {
  switch (shift) {
    case MK_LBUTTON: return 0;
    case MK_RBUTTON: return 1;
    case MK_MBUTTON: return 2;
    default: return -1;  // none, or combined with other keys or buttons
  }
}

void TrackMouse(HWND window, DWORD flag) {
  if (window == nullptr) {
    return;
  }
  TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), flag, window, HOVER_DEFAULT};
  TrackMouseEvent(&track);
}

}  // namespace

// ---------------------------------------------------------------------------
// Life
// ---------------------------------------------------------------------------

void THIWin::Create(TControl* parent) {
  parentControl = parent;
  if (parent != nullptr) {
    colour = parent->backgroundColour;
  }
  edgeStyle = EdgeStyle::kOwn;
  visible = true;
  enabled = true;
  keysToForm = true;
  captureMouse = false;
  keyOverride = -1;
}

void THIWin::Init() {
  if (control == nullptr) {
    return;  // the subclass made no control
  }
  // 1. The interface record.
  controlGetter = TControlGetter{MemberThunk<&THIWin::OwnControl>, this};
  // 2.-3. Colour, position, size.
  SetControlColour(control, colour);
  SetControlPosition(control, left, top);
  SetControlSize(control, width, height);
  // 4. Edge.
  if (edgeStyle == EdgeStyle::kSunken || edgeStyle == EdgeStyle::kSingle) {
    SetControl3D(control, edgeStyle == EdgeStyle::kSunken);
  }
  // 5. Flags.
  SetControlTransparent(control, transparent);
  if (transparent && parentControl != nullptr) {
    EnableTransparentPainting(parentControl);
  }
  SetControlEnabled(control, enabled);
  SetControlCursor(control, cursor);
  // 6. Flat look.
  if (flatStyle) {
    SetControlStyle(control, control->style | BS_FLAT);
  }
  // 7.-8. Font and tab order.
  ApplyFont();
  ApplyTabOrder();
  // 9. Handlers.
  InstallHandlers();
  // 10. Docking; the alignment procedure serves every resize from now on.
  Application().resizeAlignmentHook = &AlignChildren;
  SetDocking(control, align);
  // 11. Hidden and on top of the siblings made so far, then the element's visibility.
  SetWindowPos(HandleOf(control), HWND_TOP, 0, 0, 0, 0, kHiddenOnTopFlags);
  SetControlVisible(control, visible);
  control->EnsureWindow();
  // 12. Extended edge.
  const auto kind = static_cast<std::size_t>(edgeKind);
  if (edgeStyle == EdgeStyle::kSunken && edgeKind != EdgeKind::kUnchanged &&
      kind < std::size(kEdgeKindExStyles)) {
    SetControlExStyle(control, kEdgeKindExStyles[kind]);
  }
}

void THIWin::ApplyFont() {
  if (parentFont && parentControl != nullptr) {
    AssignTool(control->font, parentControl->font);
    return;
  }
  if (control->font == nullptr) {
    control->font = MakeFont();
  }
  TGraphicTool* tool = control->font;
  if (tool == nullptr) {
    return;
  }
  tool->SetColour(font.colour);
  tool->SetFontStyle(font.style & (kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut));
  tool->SetFontName(font.name);
  tool->SetFontHeight(FontHeightFromPoints(font.size));
  tool->SetFontCharset(font.charset);
}

void THIWin::ApplyTabOrder() {
  if (tabOrder > 0) {
    SetControlStyle(control, control->style | WS_TABSTOP);
    SetFocusKeys(control, kFocusKeyTab);
    SetTabOrder(control, tabOrder);
  } else {
    SetTabStop(control, tabOrder == 0);
  }
}

void THIWin::InstallHandlers() {
  previousMessageHook = control->onMessage;
  SetMouseEvent(control, MouseSlot::kDown, BindEvent<&THIWin::MouseDown>(this));
  SetMouseEvent(control, MouseSlot::kMove, BindEvent<&THIWin::MouseMove>(this));
  SetMouseEvent(control, MouseSlot::kUp, BindEvent<&THIWin::MouseUp>(this));
  SetMouseEvent(control, MouseSlot::kWheel, BindEvent<&THIWin::MouseWheel>(this));
  SetMouseEvent(control, MouseSlot::kDoubleClick, BindEvent<&THIWin::MouseDoubleClick>(this));
  control->onMessage = BindEvent<&THIWin::ControlMessage>(this);
  control->SetOnDestroy(MemberThunk<&THIWin::ControlObjectDestroyed>, this);
  SetKeyEvent(control, KeySlot::kDown, BindEvent<&THIWin::KeyEvent<KeySlot::kDown>>(this));
  SetKeyEvent(control, KeySlot::kUp, BindEvent<&THIWin::KeyEvent<KeySlot::kUp>>(this));
  SetKeyEvent(control, KeySlot::kChar, BindEvent<&THIWin::KeyEvent<KeySlot::kChar>>(this));
  control->onResize = BindEvent<&THIWin::Resized>(this);
  control->onShow = BindEvent<&THIWin::Shown>(this);
}

THIWin::~THIWin() {
  if (owner != nullptr && owner->forgetControl != nullptr && !controlGone) {
    owner->forgetControl(owner->owner, control);
  }
  // The tip goes first, while the control's window (which owns the tooltip
  // window) still exists.
  if (hintTip != nullptr && hintManager != nullptr) {
    hintManager->destroyTip(hintManager->manager, hintTip);
  }
  hintTip = nullptr;
  if (!controlGone) {
    FreeAndNull(companionControl);
    if (control != nullptr) {
      control->SetOnDestroy(nullptr, nullptr);  // no notification into a dying element
      if (control->onMessage.data == this) {
        control->onMessage = previousMessageHook;
      }
      ApplyVisible(control, false);
      FreeAndNull(control);
    }
  }
}

void THIWin::AttachHint(const TTipInterface* manager) {
  if (manager == nullptr) {
    if (hint.empty() || DefaultHintManager() == nullptr) {
      return;
    }
    manager = DefaultHintManager()->GetTipInterface();
  }
  if (control == nullptr) {
    return;
  }
  hintTip = manager->createTip(manager->manager, HandleOf(control));
  manager->setTipText(manager->manager, hintTip, hint);
  hintManager = manager;
}

void THIWin::AttachOwner(const TOwnerInterface* newOwner) {
  if (newOwner != nullptr && newOwner->registerControl != nullptr) {
    newOwner->registerControl(newOwner->owner, control, ownerParamA, ownerParamB);
  }
  owner = newOwner;
}

TControlGetter THIWin::GetInterface() const { return controlGetter; }

// ---------------------------------------------------------------------------
// Keys
// ---------------------------------------------------------------------------

void THIWin::HandleKey(KeySlot slot, TControl* sender, std::int32_t& key, std::uint32_t shift) {
  // 1. The form sees the key first and may swallow it.
  if (keysToForm && parentControl != nullptr) {
    const TKeyEvent& parentHandler = slot == KeySlot::kDown ? parentControl->onKeyDown
                                     : slot == KeySlot::kUp ? parentControl->onKeyUp
                                                            : parentControl->onChar;
    if (parentHandler) {
      parentHandler.code(parentHandler.data, parentControl, key, shift);
      if (key == 0) {
        return;
      }
    }
  }
  // 2. The element's own handling; a swallowed key-down swallows its character.
  if (slot == KeySlot::kChar) {
    if (keyOverride != 0) {
      keyOverride = -1;
      KeyChar(sender, key, shift);
    }
  } else {
    keyOverride = -1;
    if (slot == KeySlot::kDown) {
      KeyDown(sender, key, shift);
    } else {
      KeyUp(sender, key, shift);
    }
  }
  // 3. A replacement written during the event wins.
  if (keyOverride >= 0) {
    key = slot == KeySlot::kChar ? (keyOverride & 0xFF) : keyOverride;
  } else if (slot == KeySlot::kDown && key == 0) {
    keyOverride = 0;
  }
}

void THIWin::KeyDown(TControl*, std::int32_t& key, std::uint32_t) { FireInteger(onKeyDown, key); }

void THIWin::KeyUp(TControl*, std::int32_t& key, std::uint32_t) { FireInteger(onKeyUp, key); }

void THIWin::KeyChar(TControl*, std::int32_t& key, std::uint32_t) {
  FireText(onChar, std::string(1, static_cast<char>(key & 0xFF)));
}

// ---------------------------------------------------------------------------
// Mouse
// ---------------------------------------------------------------------------

void THIWin::StoreMouse(const TMouseRecord& mouse) {
  lastMouseButton = mouse.button;
  lastMouseShift = mouse.shift;
  lastMouseX = mouse.x;
  lastMouseY = mouse.y;
}

void THIWin::MouseDown(TControl*, TMouseRecord& mouse) {
  StoreMouse(mouse);
  FireInteger(onMouseDown, ButtonValue(mouse));
  if (captureMouse && control != nullptr) {
    ReleaseCapture();
    SetCapture(HandleOf(control));
  }
}

void THIWin::MouseMove(TControl*, TMouseRecord& mouse) {
  if (hintManager != nullptr) {
    hintManager->trackPosition(hintManager->manager, hintTip, lastMouseX, lastMouseY);
  }
  std::int32_t held = HeldButton(lastMouseShift);
  StoreMouse(mouse);
  FireInteger(onMouseMove, held);
}

void THIWin::MouseUp(TControl*, TMouseRecord& mouse) {
  StoreMouse(mouse);
  FireInteger(onMouseUp, ButtonValue(mouse));
  if (captureMouse) {
    ReleaseCapture();
  }
}

void THIWin::MouseDoubleClick(TControl*, TMouseRecord& mouse) {
  FireInteger(onDoubleClick, ButtonValue(mouse));
}

void THIWin::MouseWheel(TControl*, TMouseRecord& mouse) {
  StoreMouse(mouse);
  FireInteger(onMouseWheel, static_cast<std::int16_t>(mouse.shift >> 16));
}

void THIWin::MouseEnter(TControl*) {
  if (hintManager != nullptr) {
    hintManager->trackOn(hintManager->manager, hintTip);
  }
  FireNull(onMouseEnter);
}

void THIWin::MouseLeave(TControl*) {
  if (hintManager != nullptr) {
    hintManager->trackOff(hintManager->manager, hintTip);
  }
  FireNull(onMouseLeave);
}

// ---------------------------------------------------------------------------
// Messages and notifications
// ---------------------------------------------------------------------------

void THIWin::ApplySizeLimit(const THI_Event& limitLink, int current, int& proposed) {
  if (proposed == current) {
    return;
  }
  TData correction;
  SetInteger(correction, proposed - current);
  ReadLinkOrBreak(correction, limitLink);
  if (IsIntegerValue(correction)) {
    proposed = current + ValueToInteger(correction);
  }
}

bool THIWin::ControlMessage(TMessage& msg, LRESULT& result) {
  switch (msg.message) {
    case WM_MOVE: FireNull(onMove); break;
    case WM_SETFOCUS: FireNull(onFocus); break;
    case WM_KILLFOCUS: FireNull(onBlur); break;
    case WM_WINDOWPOSCHANGING: {
      auto* position = reinterpret_cast<WINDOWPOS*>(msg.lParam);
      if (position != nullptr && (position->flags & SWP_NOSIZE) == 0 && control != nullptr) {
        ApplySizeLimit(heightLimitLink, ControlHeight(control), position->cy);
        ApplySizeLimit(widthLimitLink, ControlWidth(control), position->cx);
      }
      break;
    }
    case WM_MOUSEHOVER: MouseEnter(control); break;
    case WM_MOUSELEAVE:
      MouseLeave(control);
      TrackMouse(msg.hwnd, TME_HOVER);
      break;
    default:
      if (msg.message >= WM_MOUSEMOVE && msg.message <= WM_MOUSEWHEEL) {
        TrackMouse(msg.hwnd, TME_LEAVE);
        MouseEnter(control);
      }
      break;
  }
  if (previousMessageHook) {
    return previousMessageHook.code(previousMessageHook.data, msg, result);
  }
  return false;
}

void THIWin::ControlDestroyed(TControl*) { controlGone = true; }

void THIWin::ControlObjectDestroyed(TObj* object) { ControlDestroyed(static_cast<TControl*>(object)); }

void THIWin::Resized(TControl*) { FireNull(onResize); }

void THIWin::Shown(TControl*) { FireNull(onShow); }

}  // namespace lobrin
