#include "elements/message.h"

#include <cstring>

#include "toolkit/application.h"
#include "toolkit/control.h"
#include "toolkit/lists.h"

namespace lobrin {

namespace {

// The style bits of each value, in the order of its enumeration.
constexpr UINT kButtonsStyles[] = {MB_OK,          MB_OKCANCEL,    MB_YESNO,
                                   MB_YESNOCANCEL, MB_RETRYCANCEL, MB_ABORTRETRYIGNORE};
constexpr UINT kIconStyles[] = {0, MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK};
constexpr UINT kDefaultButtonStyles[] = {MB_DEFBUTTON1, MB_DEFBUTTON2, MB_DEFBUTTON3};

template <std::size_t N, class Setting>
UINT StyleAt(const UINT (&table)[N], Setting setting) {
  const auto index = static_cast<std::size_t>(setting);
  return index < N ? table[index] : 0;
}

constexpr WORD kTextResourceType = 100;

}  // namespace

UINT MessageBoxStyle(MessageButtons buttons, MessageIcon icon, MessageDefaultButton defaultButton) {
  return StyleAt(kButtonsStyles, buttons) | StyleAt(kIconStyles, icon) |
         StyleAt(kDefaultButtonStyles, defaultButton);
}

std::string LoadTextResource(const std::string& name) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(kTextResourceType));
  if (info == nullptr) {
    return std::string();
  }
  HGLOBAL loaded = LoadResource(module, info);
  if (loaded == nullptr) {
    return std::string();
  }
  const char* bytes = static_cast<const char*>(LockResource(loaded));
  // Never read past the resource, even when it lacks its closing zero byte.
  std::string text;
  if (bytes != nullptr) {
    DWORD size = SizeofResource(module, info);
    const void* zero = std::memchr(bytes, 0, size);
    text.assign(bytes, zero ? static_cast<const char*>(zero) - bytes : size);
  }
  FreeResource(loaded);
  return text;
}

void THIMessage::showPoint(TData& value, std::uint16_t) {
  std::string text = TextFromLink(value, textLink, defaultText);
  std::string caption = TextFromLink(value, captionLink, defaultCaption);
  UINT style = MessageBoxStyle(buttonsKind, iconKind, defaultButtonIndex);
  int code = MessageBoxA(MessageBoxOwner(), text.c_str(), caption.c_str(), style);
  FireInteger(resultEvent, code);

  const THI_Event* const buttonEvents[] = {&okEvent,     &cancelEvent, &abortEvent, &retryEvent,
                                           &ignoreEvent, &yesEvent,    &noEvent};
  if (code >= IDOK && code <= IDNO) {
    ForwardTo(value, *buttonEvents[code - IDOK]);
  }
}

HWND MessageBoxOwner() {
  if (AppWindow() == nullptr) {
    return nullptr;
  }
  if (AppWindow()->isForm) {
    return AppWindow()->handle;  // the application window is the form
  }
  TControl* first =
      AppWindow()->children != nullptr ? static_cast<TControl*>(AppWindow()->children->Get(0)) : nullptr;
  return first != nullptr ? first->handle : nullptr;
}

}  // namespace lobrin
