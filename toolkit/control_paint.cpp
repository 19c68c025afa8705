// The control side of drawing: the control's canvas and its context provider,
// the paint handler, and the background brush of a control.

#include "toolkit/control_paint.h"

#include <cassert>

#include "toolkit/application.h"
#include "toolkit/control_internal.h"

namespace lobrin {

namespace {

HDC AcquireControlContext(void* data, TCanvas* canvas) {
  auto* control = static_cast<TControl*>(data);
  if (control->paintDC != nullptr) {
    return control->paintDC;
  }
  if (canvas->Context() != nullptr) {
    return canvas->Context();
  }
  HWND hwnd = HandleOf(control);
  return hwnd != nullptr ? GetDC(hwnd) : nullptr;
}

void ReleaseControlContext(void* data, TCanvas*, HDC context) {
  auto* control = static_cast<TControl*>(data);
  if (context == nullptr || context == control->paintDC) {
    return;
  }
  ReleaseDC(control->handle, context);
}

std::uint32_t OwnerTextColour(void* control) { return static_cast<TControl*>(control)->textColour; }
std::uint32_t OwnerBackgroundColour(void* control) {
  return static_cast<TControl*>(control)->backgroundColour;
}
TGraphicTool* OwnerBrush(void* control) { return static_cast<TControl*>(control)->brush; }

// The control's brush tool, made on demand and linked to the parent's.
HBRUSH BrushToolOf(TControl* control) {
  if (control->brush == nullptr) {
    TGraphicTool* parentBrush = control->parent != nullptr ? control->parent->brush : nullptr;
    control->brush = parentBrush != nullptr ? parentBrush->Copy() : MakeBrush();
    control->brush->SetParent(parentBrush);
    control->brush->SetColour(control->backgroundColour);
    control->brush->SetOnChange(&BrushChanged, control);
  }
  return control->brush->BrushHandle();
}

// The control's own solid brush of its resolved background colour.
HBRUSH CachedBrushOf(TControl* control) {
  const COLORREF rgb = ResolveColour(control->backgroundColour);
  if (control->cachedBrush != nullptr && control->cachedBrushColour == rgb) {
    return control->cachedBrush;
  }
  if (control->cachedBrush != nullptr) {
    DeleteObject(control->cachedBrush);
  }
  control->cachedBrush = CreateSolidBrush(rgb);
  control->cachedBrushColour = rgb;
  return control->cachedBrush;
}

// The toolkit's own background brush lookup.
HBRUSH DefaultBackgroundBrushLookup(TControl* control) {
  if (control == nullptr) {
    return nullptr;
  }
  if (BrushToolsInUse()) {
    return BrushToolOf(control);
  }
  TControl* parent = control->parent;
  if (parent != nullptr && parent->backgroundColour == control->backgroundColour) {
    return DefaultBackgroundBrushLookup(parent);
  }
  return CachedBrushOf(control);
}

}  // namespace

HBRUSH ControlBackgroundBrush(TControl* control) {
  const TBrushLookupProc own = Application().backgroundBrushLookup;
  const TBrushLookupProc lookup = own != nullptr ? own : &DefaultBackgroundBrushLookup;
  return lookup(control);
}

TContextProvider ControlContextProvider(TControl* control) {
  TContextProvider provider;
  provider.acquire = &AcquireControlContext;
  provider.release = &ReleaseControlContext;
  provider.data = control;
  return provider;
}

TCanvas* ControlCanvas(TControl* control) {
  if (control == nullptr) {
    return nullptr;
  }
  if (control->canvas == nullptr) {
    TCanvas* canvas = MakeCanvas();
    if (control->font != nullptr) {
      canvas->Font()->Assign(*control->font);
      canvas->Font()->SetParent(control->font);
    }
    if (control->brush != nullptr) {
      canvas->Brush()->Assign(*control->brush);
      canvas->Brush()->SetParent(control->brush);
    }
    TCanvasOwner owner;
    owner.control = control;
    owner.textColour = &OwnerTextColour;
    owner.backgroundColour = &OwnerBackgroundColour;
    owner.brushTool = &OwnerBrush;
    canvas->SetOwner(owner);
    canvas->SetProvider(ControlContextProvider(control));
    control->canvas = canvas;
  }
  return control->canvas;
}

void AttachPaintEvent(TControl* control, TPaintEvent event) {
  assert(control != nullptr);
  control->onPaint = event;
  AttachHandler(control, &PaintHandler, false);
}

bool PaintHandler(TControl* control, TMessage& msg, LRESULT& result) {
  if (msg.message != WM_PAINT && msg.message != WM_PRINT) {
    return false;
  }
  if (!control->onPaint || control->handle == nullptr) {
    return false;
  }

  HRGN update = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetUpdateRgn(control->handle, update, control->eraseOnPaint ? TRUE : FALSE);
  if (kind == NULLREGION || kind == ERROR) {
    DeleteObject(update);
    update = nullptr;
  }
  if (control->accumulatedRegion != nullptr && update != nullptr) {
    if (CombineRgn(control->accumulatedRegion, control->accumulatedRegion, update, RGN_OR) == COMPLEXREGION) {
      RECT client;
      GetClientRect(control->handle, &client);
      SetRectRgn(control->accumulatedRegion, client.left, client.top, client.right, client.bottom);
    }
    InvalidateRgn(control->handle, control->accumulatedRegion, control->eraseOnPaint ? TRUE : FALSE);
  }

  PAINTSTRUCT ps;
  HDC dc = reinterpret_cast<HDC>(msg.wParam);
  const bool began = dc == nullptr;
  if (began) {
    dc = BeginPaint(control->handle, &ps);
  }

  // A context the canvas took outside this paint would draw beside it.
  if (control->canvas != nullptr && control->canvas->Context() != dc) {
    control->canvas->SetContext(nullptr);
  }
  HDC previous = control->paintDC;
  control->paintDC = dc;
  if (control->accumulatedRegion != nullptr) {
    SelectClipRgn(dc, control->accumulatedRegion);
  }

  const TPaintEvent event = control->onPaint;
  event.code(event.data, control, dc);

  // Taken away while it is still the paint context, so that it is not given back with ReleaseDC.
  if (control->canvas != nullptr) {
    control->canvas->SetContext(nullptr);
  }
  control->paintDC = previous;

  if (began) {
    EndPaint(control->handle, &ps);
  }
  result = 0;
  if (update != nullptr) {
    DeleteObject(update);
  }
  return true;
}

void ReleasePaintResources(TControl* control) {
  FreeAndNull(control->canvas);
  if (control->accumulatedRegion != nullptr) {
    DeleteObject(control->accumulatedRegion);
    control->accumulatedRegion = nullptr;
  }
}

}  // namespace lobrin
