#pragma once
// Sizing a control to its text: the measured caption plus the margins of the
// control's kind, kept up to date after every change of the text or the font.

#include "toolkit/control.h"

namespace lobrin {

// On: the control sizes itself now and after each change; off: it keeps its size.
void SetAutoSize(TControl* control, bool on);
// The content-changed procedure while auto-size is on.
void AutoSizeToText(TControl* control);
// The size of the control's caption in its font (0 x 0 for an empty caption).
SIZE MeasureControlText(TControl* control);

}  // namespace lobrin
