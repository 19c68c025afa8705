#include "toolkit/graphic_tool.h"

#include <cstring>

namespace lobrin {

namespace {

COLORREF SystemSysColour(int index) { return GetSysColor(index); }

TSysColourSource sys_colour_source = &SystemSysColour;
bool brush_tools_in_use = false;

constexpr char kDefaultFontName[] = "MS Sans Serif";
constexpr std::size_t kFaceNameMax = LF_FACESIZE - 1;  // 31 characters and the zero

TToolData ZeroData() {
  TToolData data;
  std::memset(&data, 0, sizeof data);
  return data;
}
}  // namespace

COLORREF ResolveColour(std::uint32_t colour) {
  if (IsSystemColour(colour)) {
    return sys_colour_source(static_cast<int>(colour & 0xFF));
  }
  return static_cast<COLORREF>(colour);
}

TSysColourSource SetSysColourSource(TSysColourSource source) {
  TSysColourSource previous = sys_colour_source;
  sys_colour_source = source != nullptr ? source : &SystemSysColour;
  return previous;
}

// ---------------------------------------------------------------- lifetime

TGraphicTool::TGraphicTool(TToolKind kind) : kind_(kind), data_(ZeroData()) {}

TGraphicTool::~TGraphicTool() {
  // No change event here: whoever listens is going away with the tool.
  if (handle_ != nullptr) {
    DeleteObject(handle_);
  }
}

// ---------------------------------------------------------------- handle

HGDIOBJ TGraphicTool::Handle() {
  if (handle_ != nullptr && IsSystemColour(data_.colour) && ResolveColour(data_.colour) != resolved_colour_) {
    DropHandle();  // the system colour changed since the handle was made
  }
  if (handle_ != nullptr) {
    return handle_;  // a change handler may have made it again
  }
  if (parent_ != nullptr && SameData(*parent_)) {
    return parent_->Handle();
  }
  const COLORREF colour = ResolveColour(data_.colour);
  handle_ = MakeHandle(colour);
  if (handle_ != nullptr) {
    resolved_colour_ = colour;
  }
  return handle_;
}

HGDIOBJ TGraphicTool::MakeHandle(COLORREF colour) const {
  switch (kind_) {
    case TToolKind::Font: return CreateFontIndirectA(&data_.font);
    case TToolKind::Brush: {
      LOGBRUSH lb{};
      if (data_.brush.pattern != nullptr) {
        lb.lbStyle = BS_PATTERN;
        lb.lbHatch = reinterpret_cast<ULONG_PTR>(data_.brush.pattern);
      } else if (data_.brush.style == kBrushSolid) {
        lb.lbStyle = BS_SOLID;
        lb.lbColor = colour;
      } else if (data_.brush.style == kBrushHollow) {
        lb.lbStyle = BS_NULL;
      } else {
        // The hatch lines take the hatch colour; the gaps show the background
        // colour, which the canvas sets to the brush colour.
        lb.lbStyle = BS_HATCHED;
        lb.lbHatch = static_cast<ULONG_PTR>(data_.brush.style - kBrushHatchedFirst);
        lb.lbColor = ResolveColour(data_.brush.hatchColour);
      }
      return CreateBrushIndirect(&lb);
    }
    case TToolKind::Pen: return CreatePen(data_.pen.style, data_.pen.width, colour);
  }
  return nullptr;
}

void TGraphicTool::FireChange() {
  if (on_change_proc_ != nullptr) {
    on_change_proc_(on_change_data_, this);
  }
}

void TGraphicTool::DropHandle() {
  if (handle_ != nullptr) {
    HGDIOBJ old = handle_;
    handle_ = nullptr;
    // Users take the old handle out of their windows and contexts here, so that
    // it is no longer selected anywhere when it is deleted.
    FireChange();
    DeleteObject(old);
  }
  FireChange();
}

// ---------------------------------------------------------------- parent and event

void TGraphicTool::SetParent(TGraphicTool* parent) {
  if (parent == this || (parent != nullptr && parent->kind_ != kind_)) {
    return;
  }
  parent_ = parent;
}

void TGraphicTool::SetOnChange(TToolChangeProc proc, void* data) {
  on_change_proc_ = proc;
  on_change_data_ = proc != nullptr ? data : nullptr;
}

// ---------------------------------------------------------------- data

// The descriptions are compared as blocks: every byte of one, the union's
// unused tail included, is written (ZeroData, memcpy), never left indeterminate.
bool TGraphicTool::SameData(const TGraphicTool& other) const {
  // NOLINTNEXTLINE(bugprone-suspicious-memory-comparison): every byte is written, see above
  return kind_ == other.kind_ && std::memcmp(&data_, &other.data_, sizeof data_) == 0;
}

void TGraphicTool::ChangeData(const TToolData& data) {
  // NOLINTNEXTLINE(bugprone-suspicious-memory-comparison): every byte is written, see SameData
  if (std::memcmp(&data_, &data, sizeof data_) == 0) {
    return;
  }
  DropHandle();
  std::memcpy(&data_, &data, sizeof data_);
  DropHandle();
}

void TGraphicTool::Assign(const TGraphicTool& source) {
  if (&source == this || source.kind_ != kind_) {
    return;
  }
  ChangeData(source.data_);
}

TGraphicTool* TGraphicTool::Copy() const {
  auto* copy = new TGraphicTool(kind_);
  std::memcpy(&copy->data_, &data_, sizeof data_);
  return copy;
}

void TGraphicTool::SetColour(std::uint32_t colour) {
  TToolData data = data_;
  data.colour = colour;
  ChangeData(data);
}

// ---------------------------------------------------------------- font

std::uint8_t TGraphicTool::FontStyle() const {
  if (kind_ != TToolKind::Font) {
    return 0;
  }
  std::uint8_t style = 0;
  if (data_.font.lfWeight >= kBoldWeight) {
    style |= kFontBold;
  }
  if (data_.font.lfItalic != 0) {
    style |= kFontItalic;
  }
  if (data_.font.lfUnderline != 0) {
    style |= kFontUnderline;
  }
  if (data_.font.lfStrikeOut != 0) {
    style |= kFontStrikeOut;
  }
  return style;
}

void TGraphicTool::SetFontStyle(std::uint8_t style) {
  EditData(TToolKind::Font, [&](TToolData& data) {
    if ((style & kFontBold) != 0) {
      if (data.font.lfWeight < kBoldWeight) {
        data.font.lfWeight = kBoldWeight;
      }
    } else if (data.font.lfWeight >= kBoldWeight) {
      data.font.lfWeight = 0;
    }
    data.font.lfItalic = (style & kFontItalic) != 0 ? 1 : 0;
    data.font.lfUnderline = (style & kFontUnderline) != 0 ? 1 : 0;
    data.font.lfStrikeOut = (style & kFontStrikeOut) != 0 ? 1 : 0;
  });
}

std::string TGraphicTool::FontName() const {
  if (kind_ != TToolKind::Font) {
    return std::string();
  }
  const char* face = data_.font.lfFaceName;
  return std::string(face, strnlen(face, kFaceNameMax));
}

void TGraphicTool::SetFontName(const std::string& name) {
  EditData(TToolKind::Font, [&](TToolData& data) {
    // The whole field is rewritten so that equal names give equal blocks.
    std::memset(data.font.lfFaceName, 0, sizeof data.font.lfFaceName);
    const std::size_t length = strnlen(name.c_str(), kFaceNameMax);
    std::memcpy(data.font.lfFaceName, name.data(), length);
  });
}

void TGraphicTool::SetFontHeight(LONG height) {
  EditData(TToolKind::Font, [&](TToolData& data) { data.font.lfHeight = height; });
}

void TGraphicTool::SetFontWeight(LONG weight) {
  EditData(TToolKind::Font, [&](TToolData& data) { data.font.lfWeight = weight; });
}

void TGraphicTool::SetFontCharset(BYTE charset) {
  EditData(TToolKind::Font, [&](TToolData& data) { data.font.lfCharSet = charset; });
}

// ---------------------------------------------------------------- brush

void TGraphicTool::SetBrushStyle(std::uint8_t style) {
  EditData(TToolKind::Brush, [&](TToolData& data) { data.brush.style = style; });
}

void TGraphicTool::SetBrushPattern(HBITMAP pattern) {
  EditData(TToolKind::Brush, [&](TToolData& data) { data.brush.pattern = pattern; });
}

void TGraphicTool::SetHatchColour(std::uint32_t colour) {
  EditData(TToolKind::Brush, [&](TToolData& data) { data.brush.hatchColour = colour; });
}

// ---------------------------------------------------------------- pen

void TGraphicTool::SetPenStyle(std::uint8_t style) {
  EditData(TToolKind::Pen, [&](TToolData& data) { data.pen.style = style; });
}

void TGraphicTool::SetPenWidth(std::int32_t width) {
  EditData(TToolKind::Pen, [&](TToolData& data) { data.pen.width = width; });
}

void TGraphicTool::SetPenMode(int rop2) {
  if (rop2 < R2_BLACK || rop2 > R2_WHITE) {
    return;
  }
  EditData(TToolKind::Pen,
           [&](TToolData& data) { data.pen.drawingMode = static_cast<std::uint8_t>(rop2 - 1); });
}

// ---------------------------------------------------------------- makers

TGraphicTool* MakeFont() {
  auto* font = new TGraphicTool(TToolKind::Font);
  // Nothing listens yet and there is no handle, so the setters fire nothing.
  font->SetColour(kColourWindowText);
  font->SetFontCharset(DEFAULT_CHARSET);
  font->SetFontName(kDefaultFontName);
  return font;
}

TGraphicTool* MakeBrush() {
  brush_tools_in_use = true;
  auto* brush = new TGraphicTool(TToolKind::Brush);
  brush->SetColour(kColourButtonFace);
  return brush;
}

TGraphicTool* MakePen() {
  auto* pen = new TGraphicTool(TToolKind::Pen);
  pen->SetPenWidth(1);
  pen->SetPenMode(R2_COPYPEN);
  return pen;
}

bool BrushToolsInUse() { return brush_tools_in_use; }

void AssignTool(TGraphicTool*& target, const TGraphicTool* source) {
  if (source == nullptr) {
    FreeAndNull(target);
    return;
  }
  if (target == nullptr) {
    target = source->Copy();
    return;
  }
  target->Assign(*source);
}

}  // namespace lobrin
