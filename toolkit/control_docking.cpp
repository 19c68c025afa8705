// Docking: children that stick to a side of their parent's client area.

#include <cassert>

#include "toolkit/application.h"
#include "toolkit/control.h"
#include "toolkit/lists.h"

namespace lobrin {

void AlignChildren(TControl* parent) {
  if (parent == nullptr || parent->children == nullptr || parent->handle == nullptr) {
    return;
  }
  RECT area;
  GetClientRect(parent->handle, &area);
  area.left += parent->margin + parent->insetLeft;
  area.top += parent->margin + parent->insetTop;
  area.right -= parent->margin + parent->insetRight;
  area.bottom -= parent->margin + parent->insetBottom;
  // Sides first, in list order, each taking its strip; then the client ones fill the rest.
  for (int pass = 0; pass < 2; ++pass) {
    for (std::int32_t i = 0; i < parent->children->Count(); ++i) {
      auto* child = static_cast<TControl*>(parent->children->Get(i));
      if (child == nullptr || child->dockingSide == DockingSide::kNone || !child->visible) {
        continue;
      }
      if ((child->dockingSide == DockingSide::kClient) != (pass == 1)) {
        continue;
      }
      const int width = ControlWidth(child);
      const int height = ControlHeight(child);
      const int areaWidth = area.right - area.left;
      const int areaHeight = area.bottom - area.top;
      switch (child->dockingSide) {
        case DockingSide::kLeft:
          SetControlPosition(child, area.left, area.top);
          SetControlSize(child, width, areaHeight);
          area.left += width;
          break;
        case DockingSide::kTop:
          SetControlPosition(child, area.left, area.top);
          SetControlSize(child, areaWidth, height);
          area.top += height;
          break;
        case DockingSide::kRight:
          SetControlPosition(child, area.right - width, area.top);
          SetControlSize(child, width, areaHeight);
          area.right -= width;
          break;
        case DockingSide::kBottom:
          SetControlPosition(child, area.left, area.bottom - height);
          SetControlSize(child, areaWidth, height);
          area.bottom -= height;
          break;
        default:
          SetControlPosition(child, area.left, area.top);
          SetControlSize(child, areaWidth, areaHeight);
          break;
      }
    }
  }
}

void SetDocking(TControl* control, DockingSide side) {
  assert(control != nullptr);
  Application().resizeAlignmentHook = &AlignChildren;
  if (control->dockingSide == side) {
    return;
  }
  control->dockingSide = side;
  if (control->parent != nullptr) {
    AlignChildren(control->parent);
  }
}

}  // namespace lobrin
