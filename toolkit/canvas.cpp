#include "toolkit/canvas.h"

namespace lobrin {

namespace {

constexpr std::uint8_t kToolBits = kRequirePen | kRequireBrush | kRequireFont;
// Window colour as a brush value for FillRect (COLOR_WINDOW + 1).
constexpr INT_PTR kWindowClassBrush = COLOR_WINDOW + 1;

// The stock object that takes a tool's place when the tool leaves a context.
struct ToolSlot {
  TToolKind kind;
  std::uint8_t bit;
  int stock;
};
constexpr ToolSlot kToolSlots[] = {
    {TToolKind::Pen, kRequirePen, BLACK_PEN},
    {TToolKind::Brush, kRequireBrush, NULL_BRUSH},
    {TToolKind::Font, kRequireFont, SYSTEM_FONT},
};

const ToolSlot& SlotOf(TToolKind kind) {
  for (const ToolSlot& slot : kToolSlots) {
    if (slot.kind == kind) {
      return slot;
    }
  }
  return kToolSlots[0];
}

// Pen styles PS_DASH..PS_DASHDOTDOT draw their gaps in the background colour.
bool PenUsesBackground(std::uint8_t style) { return style >= PS_DASH && style <= PS_DASHDOTDOT; }

}  // namespace

TCanvas* MakeCanvas() { return new TCanvas(); }

TCanvas::~TCanvas() {
  SetContext(nullptr);
  FreeAndNull(brush_);
  FreeAndNull(font_);
  FreeAndNull(pen_);
}

// ---------------------------------------------------------------- context

void TCanvas::SetContext(HDC context, TContextOwnership ownership) {
  if (context_ != nullptr && context_ != context) {
    // Our tools must not stay selected: they may be deleted while the context lives on.
    SelectObject(context_, GetStockObject(BLACK_PEN));
    SelectObject(context_, GetStockObject(NULL_BRUSH));
    SelectObject(context_, GetStockObject(SYSTEM_FONT));
    HDC old = context_;
    const bool from_provider = context_from_provider_;
    const bool owned = context_owned_;
    context_ = nullptr;
    selected_ = 0;
    if (from_provider) {
      if (provider_.release != nullptr) {
        provider_.release(provider_.data, this, old);
      }
    } else if (owned) {
      DeleteDC(old);
    }
  }
  context_from_provider_ = false;
  context_owned_ = context != nullptr && ownership == TContextOwnership::Owned;
  context_ = context;
  if (context_ != nullptr) {
    MoveToEx(context_, pen_pos_.x, pen_pos_.y, nullptr);
  }
}

HDC TCanvas::Handle() {
  RequireState(kRequireContext);
  return context_;
}

void TCanvas::RequireState(std::uint8_t requirements) {
  if ((requirements & kRequireChangeNotice) != 0 && on_change_proc_ != nullptr) {
    on_change_proc_(on_change_data_, this);
  }
  if ((requirements & (kRequireContext | kToolBits)) == 0) {
    return;
  }
  if (context_ == nullptr && provider_.acquire != nullptr) {
    HDC context = provider_.acquire(provider_.data, this);
    if (context != nullptr) {
      SetContext(context, TContextOwnership::Borrowed);
      context_from_provider_ = true;
    }
  }
  if (context_ == nullptr) {
    return;
  }

  std::uint8_t needed = requirements & kToolBits & static_cast<std::uint8_t>(~selected_);
  if ((needed & kRequireFont) != 0) {
    SelectFont();
  }
  if ((needed & kRequirePen) != 0) {
    SelectPen();
    if (PenUsesBackground(pen_->PenStyle())) {
      needed |= kRequireBrush;
    }
  }
  if ((needed & kRequireBrush) != 0 && (selected_ & kRequireBrush) == 0) {
    SelectBrush();
  }
}

void TCanvas::SelectFont() {
  if (font_ != nullptr) {
    HFONT handle = font_->FontHandle();  // may drop a stale handle first
    SelectObject(context_, handle);
    SetTextColor(context_, ResolveColour(font_->Colour()));
  } else {
    SetTextColor(context_, OwnerTextColour());
  }
  selected_ |= kRequireFont;
}

void TCanvas::SelectPen() {
  TGraphicTool* pen = Pen();
  HPEN handle = pen->PenHandle();
  SelectObject(context_, handle);
  SetROP2(context_, pen->PenMode());
  selected_ |= kRequirePen;
}

void TCanvas::SelectBrush() {
  if (brush_ != nullptr) {
    HBRUSH handle = brush_->BrushHandle();
    SelectObject(context_, handle);
    const COLORREF colour = ResolveColour(brush_->Colour());
    if (brush_->BrushStyle() == kBrushHollow) {
      SetBkColor(context_, ~colour & 0xFFFFFF);
      SetBkMode(context_, TRANSPARENT);
    } else {
      SetBkColor(context_, colour);
      SetBkMode(context_, OPAQUE);
    }
  } else {
    SetBkColor(context_, OwnerBackgroundColour());
    SetBkMode(context_, OPAQUE);
  }
  selected_ |= kRequireBrush;
}

COLORREF TCanvas::OwnerTextColour() const {
  if (HasOwner() && owner_.textColour != nullptr) {
    return ResolveColour(owner_.textColour(owner_.control));
  }
  return ResolveColour(kColourWindowText);
}

COLORREF TCanvas::OwnerBackgroundColour() const {
  if (HasOwner() && owner_.backgroundColour != nullptr) {
    return ResolveColour(owner_.backgroundColour(owner_.control));
  }
  return ResolveColour(kColourWindow);
}

// ---------------------------------------------------------------- tools

TGraphicTool* TCanvas::MakeTool(TGraphicTool*& slot, TToolKind kind) {
  if (slot == nullptr) {
    switch (kind) {
      case TToolKind::Brush: slot = MakeBrush(); break;
      case TToolKind::Font: slot = MakeFont(); break;
      case TToolKind::Pen: slot = MakePen(); break;
    }
    slot->SetOnChange(&TCanvas::ToolChanged, this);
  }
  return slot;
}

TGraphicTool* TCanvas::Brush() { return MakeTool(brush_, TToolKind::Brush); }
TGraphicTool* TCanvas::Font() { return MakeTool(font_, TToolKind::Font); }
TGraphicTool* TCanvas::Pen() { return MakeTool(pen_, TToolKind::Pen); }

void TCanvas::ToolChanged(void* data, TGraphicTool* tool) {
  auto* canvas = static_cast<TCanvas*>(data);
  const ToolSlot& slot = SlotOf(tool->Kind());
  if (canvas->context_ != nullptr && (canvas->selected_ & slot.bit) != 0) {
    // Out of the context before the old handle is deleted; selected again on next use.
    SelectObject(canvas->context_, GetStockObject(slot.stock));
  }
  canvas->selected_ &= static_cast<std::uint8_t>(~slot.bit);
}

void TCanvas::SetOnChange(TCanvasChangeProc proc, void* data) {
  on_change_proc_ = proc;
  on_change_data_ = proc != nullptr ? data : nullptr;
}

// ---------------------------------------------------------------- drawing

void TCanvas::FillRect(const RECT& rect) {
  RequireState(kRequireContext | kRequireBrush | kRequireChangeNotice);
  if (context_ == nullptr) {
    return;
  }
  if (brush_ != nullptr) {
    ::FillRect(context_, &rect, brush_->BrushHandle());
    return;
  }
  if (HasOwner()) {
    TGraphicTool* owner_brush = owner_.brushTool != nullptr ? owner_.brushTool(owner_.control) : nullptr;
    if (owner_brush != nullptr) {
      ::FillRect(context_, &rect, owner_brush->BrushHandle());
      return;
    }
    HBRUSH temporary = CreateSolidBrush(OwnerBackgroundColour());
    if (temporary != nullptr) {
      ::FillRect(context_, &rect, temporary);
      DeleteObject(temporary);
    }
    return;
  }
  ::FillRect(context_, &rect, reinterpret_cast<HBRUSH>(kWindowClassBrush));
}

void TCanvas::MoveTo(int x, int y) {
  pen_pos_ = POINT{x, y};
  if (context_ != nullptr) {
    MoveToEx(context_, x, y, nullptr);
  }
}

void TCanvas::LineTo(int x, int y) {
  RequireState(kRequireContext | kRequirePen | kRequireChangeNotice);
  if (context_ != nullptr) {
    ::LineTo(context_, x, y);
  }
  pen_pos_ = POINT{x, y};
}

void TCanvas::WriteText(int x, int y, const std::string& text) {
  RequireState(kRequireContext | kRequireFont | kRequireBrush | kRequireChangeNotice);
  if (context_ == nullptr) {
    return;
  }
  TextOutA(context_, x, y, text.data(), static_cast<int>(text.size()));
}

SIZE TCanvas::TextExtent(const std::string& text) {
  SIZE size{0, 0};
  RequireState(kRequireContext | kRequireFont);
  if (context_ == nullptr) {
    return size;
  }
  if (!GetTextExtentPoint32A(context_, text.data(), static_cast<int>(text.size()), &size)) {
    size = SIZE{0, 0};
  }
  return size;
}

void TCanvas::CopyRect(const RECT& dest_rect, TCanvas* source, const RECT& source_rect) {
  if (source == nullptr) {
    return;
  }
  RequireState(kRequireContext | kRequireChangeNotice);
  source->RequireState(kRequireContext);
  if (context_ == nullptr || source->context_ == nullptr) {
    return;
  }
  StretchBlt(context_, dest_rect.left, dest_rect.top, dest_rect.right - dest_rect.left,
             dest_rect.bottom - dest_rect.top, source->context_, source_rect.left, source_rect.top,
             source_rect.right - source_rect.left, source_rect.bottom - source_rect.top, copy_mode_);
}

}  // namespace lobrin
