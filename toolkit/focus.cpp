// Keyboard navigation between the tab stops of a form, and the dialog keys:
// Enter for a form's default button, Escape for its cancel button.

#include "toolkit/focus.h"

#include <cassert>

#include "toolkit/application.h"
#include "toolkit/control_internal.h"
#include "toolkit/lists.h"

namespace lobrin {

namespace {

// Which focus-key bit a navigation key needs, and which way it moves.
struct NavigationKey {
  int key;
  std::uint8_t bit;
  int step;
};

constexpr NavigationKey kNavigationKeys[] = {
    {VK_TAB, kFocusKeyTab, +1},  // Shift+Tab moves back
    {VK_LEFT, kFocusKeyLeftRight, -1}, {VK_RIGHT, kFocusKeyLeftRight, +1}, {VK_UP, kFocusKeyUpDown, -1},
    {VK_DOWN, kFocusKeyUpDown, +1},    {VK_PRIOR, kFocusKeyPage, -1},      {VK_NEXT, kFocusKeyPage, +1},
};

bool IsTabStop(TControl* control) {
  return control->tabStop && control->enabled && (control->style & WS_TABSTOP) != 0 &&
         IsEffectivelyVisible(control);
}

// Inserts before the first control with a greater tab order: equal orders keep discovery order.
void InsertByTabOrder(TList* list, TControl* control) {
  std::int32_t at = list->Count();
  for (std::int32_t i = 0; i < list->Count(); ++i) {
    if (static_cast<TControl*>(list->Get(i))->tabOrder > control->tabOrder) {
      at = i;
      break;
    }
  }
  list->Insert(at, control);
}

void CollectInto(TControl* parent, TList* into) {
  for (std::int32_t i = 0; i < parent->children->Count(); ++i) {
    auto* child = static_cast<TControl*>(parent->children->Get(i));
    if (child == nullptr) {
      continue;
    }
    if (IsTabStop(child)) {
      InsertByTabOrder(into, child);
    }
    if (child->enabled) {
      CollectInto(child, into);
    }
  }
}

// The tab stop to go to from the form's current control.
TControl* ChooseNext(TList* stops, TControl* current, int step) {
  const std::int32_t count = stops->Count();
  if (count == 0) {
    return nullptr;
  }
  auto at = [stops](std::int32_t i) { return static_cast<TControl*>(stops->Get(i)); };

  // From a control in the sequence, the neighbour in the sorted list, so that
  // controls sharing one tab order are all reached, in discovery order.
  const std::int32_t index = current != nullptr ? stops->IndexOf(current) : -1;
  if (index >= 0) {
    return at((index + step + count) % count);
  }

  // Otherwise by tab order: the nearest one beyond the current order, wrapping around.
  const std::int32_t base = current != nullptr ? current->tabOrder : 0;
  TControl* chosen = nullptr;
  if (step > 0) {
    for (std::int32_t i = 0; i < count && chosen == nullptr; ++i) {
      if (at(i)->tabOrder > base) {
        chosen = at(i);
      }
    }
    if (chosen == nullptr) {
      chosen = at(0);
    }
  } else {
    for (std::int32_t i = count - 1; i >= 0 && chosen == nullptr; --i) {
      if (at(i)->tabOrder < base) {
        chosen = at(i);
      }
    }
    if (chosen == nullptr) {
      chosen = at(count - 1);
    }
  }
  return chosen;
}

bool IsUsableButton(TControl* button) {
  return button != nullptr && button->enabled && IsEffectivelyVisible(button);
}

// The number of lines a control reports (0 when it has no line-count message).
LRESULT LineCount(TControl* control) {
  if (control->actions.getLineCount == 0) {
    return 0;
  }
  return SendToControl(control, control->actions.getLineCount, 0, 0);
}

TControl* ChooseDialogButton(TControl* app, TControl* form, UINT key) {
  TControl* current = form->currentControl;
  if (key == VK_RETURN) {
    TControl* button = form->defaultButton;
    const bool currentLeavesEnter =
        current == nullptr || (!current->cancelRole && !current->takesEnter) || current == button;
    if (IsUsableButton(button) && currentLeavesEnter) {
      return button;
    }
    const bool clicksFocused = form->enterClicksFocusedButton || app->enterClicksFocusedButton;
    if (clicksFocused && current != nullptr && current->isPushButton && LineCount(current) == 0) {
      return current;
    }
    return nullptr;
  }
  if (key == VK_ESCAPE && IsUsableButton(form->cancelButton)) {
    return form->cancelButton;
  }
  return nullptr;
}

}  // namespace

void CollectTabStops(TControl* form, TList* into) {
  if (form != nullptr && form->children != nullptr) {
    CollectInto(form, into);
  }
}

bool IsEffectivelyVisible(TControl* control) {
  for (TControl* c = control; c != nullptr; c = c->parent) {
    const bool isForm = !c->isChildControl;
    if (isForm && c->handle != nullptr) {
      c->visible = IsWindowVisible(c->handle) != FALSE;
    }
    if (!c->visible && !c->showWhenCreated) {
      return false;
    }
    if (isForm) {
      return true;
    }
  }
  return true;
}

void FocusControl(TControl* control) {
  if (control == nullptr || control->handle == nullptr) {
    return;
  }
  UnderFocusGuard(control, [control] { SetFocus(control->handle); });
  TControl* form = OwningForm(control);
  if (form != nullptr) {
    form->currentControl = control;
  }
}

TControl* EnableKeyNavigation(TControl* control) {
  TControl* form = OwningForm(control);
  if (form != nullptr) {
    form->keyNavigation = &KeyboardNavigation;
  }
  return control;
}

bool KeyboardNavigation(TControl* control, int key, bool notKeyDown) {
  for (const NavigationKey& row : kNavigationKeys) {
    if (row.key != key) {
      continue;
    }
    if ((control->focusKeys & row.bit) == 0) {
      return false;
    }
    if (notKeyDown) {
      return true;
    }
    int step = row.step;
    if (key == VK_TAB && GetKeyState(VK_SHIFT) < 0) {
      step = -1;
    }
    MoveFocus(OwningForm(control), step);
    return true;
  }
  return false;
}

void MoveFocus(TControl* form, int step) {
  if (form == nullptr) {
    return;
  }
  TList* stops = new TList;
  CollectTabStops(form, stops);
  TControl* chosen = ChooseNext(stops, form->currentControl, step);
  stops->Free();
  if (chosen != nullptr && chosen->handle != nullptr) {
    FocusControl(chosen);
    form->currentControl = chosen;
  }
}

void SetDialogButton(TControl* button, int key, bool on) {
  assert(button != nullptr);
  if (key == kKeyEnter) {
    button->defaultRole = on;
    if (on) {
      button->cancelRole = false;
    }
  } else if (key == kKeyEscape) {
    button->cancelRole = on;
    if (on) {
      button->defaultRole = false;
    }
  }
  TControl* form = OwningForm(button);
  if (AppWindow() == nullptr || form == nullptr) {
    return;
  }

  TMessageEvent& appEvent = AppWindow()->onMessage;
  if (on) {
    if (appEvent.code != &DialogKeyFilter) {
      AppWindow()->savedMessageEvent = appEvent;
      appEvent.code = &DialogKeyFilter;
      appEvent.data = AppWindow();
    }
  } else if (appEvent.code == &DialogKeyFilter) {
    // Only the filter is taken away; an event that somebody else installed stays.
    appEvent = AppWindow()->savedMessageEvent;
    AppWindow()->savedMessageEvent = TMessageEvent{};
  }

  if (key == kKeyEnter) {
    if (on) {
      form->defaultButton = button;
    } else if (form->defaultButton == button) {
      form->defaultButton = nullptr;
    }
    const DWORD style =
        on ? (button->style | BS_DEFPUSHBUTTON) : (button->style & ~static_cast<DWORD>(BS_DEFPUSHBUTTON));
    SetControlStyle(button, style);
  } else if (key == kKeyEscape) {
    if (on) {
      form->cancelButton = button;
    } else if (form->cancelButton == button) {
      form->cancelButton = nullptr;
    }
  }
}

bool DialogKeyFilter(void* data, TMessage& msg, LRESULT& result) {
  auto* app = static_cast<TControl*>(data);
  if (app == nullptr) {
    return false;
  }
  const TMessageEvent saved = app->savedMessageEvent;
  if (saved && saved.code(saved.data, msg, result)) {
    return true;
  }

  if (QuitReceived()) {
    return false;
  }
  TControl* form = app->isForm ? app : app->currentControl;
  if (form == nullptr) {
    return false;
  }
  if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP) {
    return false;
  }
  if (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE) {
    return false;
  }

  TControl* button = ChooseDialogButton(app, form, static_cast<UINT>(msg.wParam));
  if (button == nullptr) {
    return false;
  }
  if (msg.message == WM_KEYDOWN) {
    form->currentControl = button;
    SetFocus(HandleOf(button));
  }
  SendMessageA(HandleOf(button), msg.message, VK_SPACE, msg.lParam);
  msg.wParam = 0;
  result = 0;
  return true;
}

}  // namespace lobrin
