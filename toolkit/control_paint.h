#pragma once
// The control side of drawing: a control's canvas, its paint event and the
// paint handler that serves WM_PAINT and WM_PRINT, and the background brush.

#include "toolkit/canvas.h"
#include "toolkit/control.h"

namespace lobrin {

// The control's canvas, made on first use with copies of its font and brush.
TCanvas* ControlCanvas(TControl* control);
// Stores the paint event and attaches the paint handler.
void AttachPaintEvent(TControl* control, TPaintEvent event);
// The handler for WM_PAINT and WM_PRINT while the control has a paint event.
bool PaintHandler(TControl* control, TMessage& msg, LRESULT& result);
// The control-context provider of a control's canvas (data: the control): the
// paint context while painting, the one already assigned, else GetDC of the
// control's window; a context from GetDC goes back with ReleaseDC.
TContextProvider ControlContextProvider(TControl* control);
// The brush the control's background is painted with (through the application's brush lookup, else the
// toolkit's own).
HBRUSH ControlBackgroundBrush(TControl* control);

}  // namespace lobrin
