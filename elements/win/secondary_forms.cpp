#include "elements/win/secondary_forms.h"

#include "toolkit/lists.h"

namespace lobrin {

namespace {
TStrListEx* secondaryFormWindows = nullptr;  // owned
UINT innerMessage = 0;
}  // namespace

void InitMainFormModule() {
  if (secondaryFormWindows == nullptr) {
    secondaryFormWindows = new TStrListEx;
  }
  innerMessage = RegisterWindowMessageA("inner message");
}

void FinishMainFormModule() { FreeAndNull(secondaryFormWindows); }

TStrListEx* SecondaryFormWindows() { return secondaryFormWindows; }

UINT InnerMessage() { return innerMessage; }

}  // namespace lobrin
