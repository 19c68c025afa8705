// Auto-size: a control takes the size of its caption plus the margins of its kind.

#include "toolkit/auto_size.h"

#include <cassert>

#include "toolkit/application.h"
#include "toolkit/canvas.h"

namespace lobrin {

namespace {

bool SizesWidth(DockingSide side) {
  return side == DockingSide::kNone || side == DockingSide::kLeft || side == DockingSide::kRight;
}
bool SizesHeight(DockingSide side) {
  return side == DockingSide::kNone || side == DockingSide::kTop || side == DockingSide::kBottom;
}

SIZE MeasureOn(HDC dc, HFONT font, const std::string& text) {
  SIZE size = {0, 0};
  HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  if (old != nullptr) {
    SelectObject(dc, old);
  }
  return size;
}

}  // namespace

SIZE MeasureControlText(TControl* control) {
  SIZE size = {0, 0};
  if (control == nullptr || control->caption.empty()) {
    return size;
  }
  std::string text = control->caption;
  // An italic text leans out of its box: one space more keeps its last letter whole.
  if (control->font != nullptr && (control->font->FontStyle() & kFontItalic) != 0) {
    text += ' ';
  }
  HandleOf(control);
  HFONT font = control->font != nullptr ? control->font->FontHandle() : nullptr;
  if (control->canvas != nullptr && control->canvas->HasContext()) {
    size = MeasureOn(control->canvas->Context(), font, text);
  } else {
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) {
      return size;
    }
    size = MeasureOn(dc, font, text);
    DeleteDC(dc);
  }
  if (const TMeasureHook measure = Application().measureHook; measure != nullptr) {
    measure(control, size);
  }
  return size;
}

void AutoSizeToText(TControl* control) {
  assert(control != nullptr);
  const SIZE text = MeasureControlText(control);
  const DockingSide side = control->dockingSide;
  int width = ControlWidth(control);
  int height = ControlHeight(control);
  const int oldWidth = width;
  const int oldHeight = height;
  if (SizesWidth(side) && control->actions.autoSizeWidthMargin > 0) {
    width = text.cx + control->actions.autoSizeWidthMargin;
  }
  if (SizesHeight(side) && control->actions.autoSizeHeightMargin > 0) {
    height = text.cy + control->actions.autoSizeHeightMargin;
  }
  if (width == oldWidth && height == oldHeight) {
    return;
  }
  SetControlSize(control, width, height);
  if (const TControlProc realign = Application().resizeAlignmentHook; realign != nullptr) {
    if (control->parent != nullptr) {
      realign(control->parent);
    }
    realign(control);
  }
}

void SetAutoSize(TControl* control, bool on) {
  assert(control != nullptr);
  if (on) {
    control->contentChanged = &AutoSizeToText;
    AutoSizeToText(control);
  } else {
    control->contentChanged = nullptr;
  }
}

}  // namespace lobrin
