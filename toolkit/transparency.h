#pragma once
// Transparent painting: a control that draws over its parent's image. No control
// of this program is transparent; these are the entry points an element uses
// to turn it on, and the subclassing of foreign child windows it implies.

#include "toolkit/control.h"

namespace lobrin {

// Installs the transparent-painting hooks (pre-dispatch, invalidation, after-create) once.
void EnableTransparentPainting(TControl* control);
// Gives each direct child window without "PREV_PROC" the procedure ForeignChildProc.
void SubclassForeignChildren(HWND window);
// Lets a foreign child of a transparently drawn control skip its own background.
LRESULT CALLBACK ForeignChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace lobrin
