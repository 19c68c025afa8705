// Making control objects: the defaults every object starts with, joining a
// parent, and the makers of each kind. No window is created here.

#include <cstddef>

#include "toolkit/application.h"
#include "toolkit/control.h"
#include "toolkit/control_internal.h"
#include "toolkit/lists.h"

namespace lobrin {

namespace {

void ClearControlText(TControl* control) { SetControlText(control, std::string()); }

// The class actions record of each kind of child control.
TClassActions MakeActions(std::uint16_t focusGained, std::uint16_t focusLost, std::uint16_t changed,
                          std::uint16_t left, std::uint16_t right, std::uint16_t centre, std::uint8_t removed,
                          std::uint8_t widthMargin, std::uint8_t heightMargin) {
  TClassActions a;
  a.clear = &ClearControlText;
  a.clickedCode = 0;
  a.focusGainedCode = focusGained;
  a.focusLostCode = focusLost;
  a.changedCode = changed;
  a.selectionChangedCode = 0;
  a.alignStyles[static_cast<std::size_t>(TextAlignment::kLeft)] = left;
  a.alignStyles[static_cast<std::size_t>(TextAlignment::kRight)] = right;
  a.alignStyles[static_cast<std::size_t>(TextAlignment::kCenter)] = centre;
  a.removedStyles = removed;
  a.autoSizeWidthMargin = widthMargin;
  a.autoSizeHeightMargin = heightMargin;
  return a;
}

TClassActions MakeEditActions() {
  TClassActions a = MakeActions(EN_SETFOCUS, EN_KILLFOCUS, EN_CHANGE, 0, ES_RIGHT, ES_CENTER, 0, 0, 6);
  a.getLineCount = EM_GETLINECOUNT;
  a.lineLength = EM_LINELENGTH;
  a.getLine = EM_GETLINE;
  a.replaceSelection = EM_REPLACESEL;
  a.lineIndex = EM_LINEINDEX;
  a.lineFromChar = EM_LINEFROMCHAR;
  a.getSelection = EM_GETSEL;
  a.setSelection = EM_SETSEL;
  a.limitText = EM_LIMITTEXT;
  return a;
}

// Style bits of the edit options: applied when the option bit is set, or when it is clear.
struct EditOptionStyle {
  EditOption option;
  DWORD whenSet;
  DWORD whenClear;
};

constexpr EditOptionStyle kEditOptionStyles[] = {
    {kEditNoHorizontalScroll, 0, WS_HSCROLL | ES_AUTOHSCROLL},
    {kEditNoVerticalScroll, 0, WS_VSCROLL | ES_AUTOVSCROLL},
    {kEditLowerCase, ES_LOWERCASE, 0},
    {kEditMultiLine, ES_MULTILINE, 0},
    {kEditNoHideSelection, ES_NOHIDESEL, 0},
    {kEditOemConvert, ES_OEMCONVERT, 0},
    {kEditPassword, ES_PASSWORD, 0},
    {kEditReadOnly, ES_READONLY, 0},
    {kEditUpperCase, ES_UPPERCASE, 0},
    {kEditWantReturn, ES_WANTRETURN, 0},
    {kEditKeepTab, 0, 0},
    {kEditNumber, ES_NUMBER, 0},
};

bool HasOption(std::uint32_t options, EditOption option) { return (options & (1u << option)) != 0; }

// A tool of the child: a copy of the parent's (or a new one), linked to it.
TGraphicTool* ChildTool(TGraphicTool* parentTool, TToolKind kind) {
  TGraphicTool* tool = nullptr;
  if (parentTool != nullptr) {
    tool = parentTool->Copy();
    tool->SetParent(parentTool);
  } else {
    tool = kind == TToolKind::Font ? MakeFont() : MakeBrush();
  }
  return tool;
}

// The size a new control of a kind has before anything sets it.
void SetDefaultSize(TControl* control, int width, int height) {
  control->bounds.right = control->bounds.left + width;
  control->bounds.bottom = control->bounds.top + height;
}

}  // namespace

const TClassActions kStaticActions =
    MakeActions(0, 0, 0, SS_LEFT, SS_RIGHT, SS_CENTER, SS_LEFTNOWORDWRAP, 1, 1);
const TClassActions kEditActions = MakeEditActions();
const TClassActions kButtonActions =
    MakeActions(BN_SETFOCUS, BN_KILLFOCUS, 0, BS_LEFT, BS_RIGHT, BS_CENTER, 0, 14, 0);

TControl::TControl() = default;

void TControl::InitDefaults() {
  chainDispatcher = nullptr;
  keyboardHook = nullptr;
  additionalHook = nullptr;
  afterMessage = nullptr;
  windowProc = &ControlWindowProc;
  actions.clear = &ClearControlText;
  preClick = nullptr;
  backgroundColour = kColourButtonFace;
  textColour = kColourWindowText;
  margin = 2;
  childrenGet3D = true;
  has3D = true;
  alpha = 255;
  if (children == nullptr) {
    children = new TList;
  }
  classStyle = kDefaultClassStyle;
  style = kDefaultStyle;
  exStyle = kDefaultExStyle;
  visible = true;
  enabled = true;
  if (handlers == nullptr) {
    handlers = new TList;
  }
}

void TControl::InitWithParent(TControl* newParent) {
  if (parent != nullptr) {
    TControl* old = parent;
    parent = nullptr;
    old->children->Remove(this);
    if (old->childrenChanged != nullptr) {
      old->childrenChanged(old, nullptr);
    }
  }
  parent = newParent;
  if (newParent != nullptr) {
    newParent->children->Add(this);
    if (newParent->childrenChanged != nullptr) {
      newParent->childrenChanged(newParent, this);
    }
    backgroundColour = newParent->backgroundColour;
  }
}

TControl* MakeWindowObject(TControl* parent, const char* baseClassName, bool has3D) {
  TControl* control = new TControl;
  control->Init();
  control->InitDefaults();
  control->InitWithParent(parent);
  control->baseClassName = baseClassName != nullptr ? baseClassName : "";
  if (parent != nullptr) {
    control->additionalHook = parent->additionalHook;
    control->keyNavigation = parent->keyNavigation;
    control->childrenGet3D = parent->childrenGet3D;
    control->margin = parent->margin;
    control->textColour = parent->textColour;
    control->backgroundColour = parent->backgroundColour;
    control->has3D = parent->childrenGet3D ? has3D : false;
    const int left = parent->margin + parent->insetLeft;
    const int top = parent->margin + parent->insetTop;
    control->bounds = RECT{left, top, left + 64, top + 64};
  }
  // Every window but the application window draws with a font and a brush of its
  // own; a parent without tools (the application window) gives fresh defaults.
  if (parent != nullptr) {
    control->font = ChildTool(parent->font, TToolKind::Font);
    control->brush = ChildTool(parent->brush, TToolKind::Brush);
    if (parent->font == nullptr) {
      control->font->SetColour(control->textColour);
    }
    if (parent->brush == nullptr) {
      control->brush->SetColour(control->backgroundColour);
    }
    control->font->SetOnChange(&FontChanged, control);
    control->brush->SetOnChange(&BrushChanged, control);
  }
  return control;
}

TControl* MakeChildControl(TControl* parent, const char* baseClassName, DWORD style,
                           const TClassActions* actions, bool has3D) {
  TControl* control = MakeWindowObject(parent, baseClassName, has3D);
  if (actions != nullptr) {
    control->actions = *actions;
  }
  control->isChildControl = true;
  control->style = style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  control->visible = (control->style & WS_VISIBLE) != 0;
  control->tabStop = (control->style & WS_TABSTOP) != 0;
  TControl* form = OwningForm(parent);
  if (parent != nullptr) {
    if (form != nullptr) {
      form->tabOrder += 1;
      control->tabOrder = form->tabOrder;
    }
    control->cursor = parent->cursor;
  }
  control->focusKeys = kFocusKeysAll;
  if (control->has3D) {
    control->style &= ~static_cast<DWORD>(WS_BORDER);
    control->exStyle |= WS_EX_CLIENTEDGE;
  }
  if ((control->style & WS_TABSTOP) != 0 && form != nullptr && form->currentControl == nullptr) {
    form->currentControl = control;
  }
  control->controlId = Application().nextControlId++;
  AttachHandler(control, &ChildControlHandler, false);
  return control;
}

TControl* MakeAppWindow(const std::string& caption) {
  TControl* control = MakeWindowObject(nullptr, "App", false);
  control->style = kAppWindowStyle;
  control->exStyle = WS_EX_APPWINDOW;
  control->caption = caption;
  Application().appWindowInUse = true;
  control->isAppWindow = true;
  if (AppWindow() == nullptr) {
    Application().appWindow = control;
  }
  control->afterCreate = &TrimAppSystemMenu;
  AttachHandler(control, &AppWindowHandler, false);
  return control;
}

TControl* MakeForm(TControl* parent, const std::string& caption) {
  TControl* control = MakeWindowObject(parent, "Form", false);
  control->classStyle |= CS_DBLCLKS;
  SetDefaultSize(control, 64, 64);
  control->caption = caption;
  AttachHandler(control, &FormFocusHandler, false);
  AttachHandler(control, &FormBackgroundHandler, false);
  control->isForm = true;
  return control;
}

TControl* MakeLabel(TControl* parent, const std::string& caption) {
  TControl* control = MakeChildControl(parent, "STATIC", kLabelStyle, &kStaticActions, false);
  SetDefaultSize(control, 64, 22);
  control->caption = caption;
  return control;
}

TControl* MakePaintBox(TControl* parent) {
  TControl* control = MakeLabel(parent, std::string());
  SetDefaultSize(control, 40, 40);
  return control;
}

TControl* MakeEdit(TControl* parent, std::uint32_t options) {
  DWORD style = kEditStyle;
  for (const EditOptionStyle& row : kEditOptionStyles) {
    style |= HasOption(options, row.option) ? row.whenSet : row.whenClear;
  }
  const bool multiLine = HasOption(options, kEditMultiLine);
  if (!multiLine) {
    style &= ~static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL);
  }

  TControl* control = MakeChildControl(parent, "EDIT", style, &kEditActions, true);
  SetDefaultSize(control, multiLine ? 200 : 100, multiLine ? 200 : 22);
  control->focusKeys = multiLine ? kFocusKeyTab : kFocusKeyTab | kFocusKeyUpDown | kFocusKeyPage;
  if (HasOption(options, kEditKeepTab)) {
    control->focusKeys &= static_cast<std::uint8_t>(~kFocusKeyTab);
  }
  control->takesEnter = multiLine;
  return control;
}

TControl* MakeButton(TControl* parent, const std::string& caption) {
  TControl* control = MakeChildControl(parent, "BUTTON", kButtonStyle, &kButtonActions, false);
  SetDefaultSize(control, 64, 22);
  control->textAlign = TextAlignment::kCenter;
  control->takesEnter = true;
  control->isPushButton = true;
  control->caption = caption;
  return control;
}

TControl* OwningForm(TControl* control) {
  while (control != nullptr && control->isChildControl) {
    control = control->parent;
  }
  return control;
}

bool IsMainForm(TControl* control) {
  if (control == nullptr || control->isChildControl) {
    return false;
  }
  TControl* parent = control->parent;
  if (parent == nullptr) {
    return control->isAppWindow || control == AppWindow() || !Application().appWindowInUse;
  }
  return parent->parent == nullptr && parent->children->Count() > 0 && parent->children->Get(0) == control;
}

}  // namespace lobrin
