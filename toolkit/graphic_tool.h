#pragma once
// TGraphicTool: a brush, font or pen description that owns its GDI object.
//
// The handle is made on the first request and dropped whenever the description
// changes; dropping it fires the change event, so that whoever uses the tool
// (a control, a canvas) can take the new one. A tool linked to a parent tool
// uses the parent's handle while both descriptions are equal.

#include <windows.h>

#include <cstdint>
#include <string>

#include "toolkit/obj.h"

namespace lobrin {

// --- colour values ---
// A colour value with the top bit set names the system colour whose GetSysColor
// index is the low byte; any other value is an RGB value used as is.
constexpr std::uint32_t kSystemColourFlag = 0x80000000u;
constexpr std::uint32_t kColourWindowText = 0x80000008u;  // COLOR_WINDOWTEXT
constexpr std::uint32_t kColourButtonFace = 0x8000000Fu;  // COLOR_BTNFACE
constexpr std::uint32_t kColourWindow = 0x80000005u;      // COLOR_WINDOW

// True when `colour` names a system colour.
constexpr bool IsSystemColour(std::uint32_t colour) { return (colour & kSystemColourFlag) != 0; }
// The RGB value of a colour value (GetSysColor for system colours).
COLORREF ResolveColour(std::uint32_t colour);

// Where system colours are read from; GetSysColor unless a test puts in another.
using TSysColourSource = COLORREF (*)(int index);
// Replaces the system colour source (null restores GetSysColor); returns the previous one.
TSysColourSource SetSysColourSource(TSysColourSource source);

// --- tool data ---
enum class TToolKind : std::uint8_t { Brush = 0, Font = 1, Pen = 2 };

// Font style bits.
constexpr std::uint8_t kFontBold = 1;
constexpr std::uint8_t kFontItalic = 2;
constexpr std::uint8_t kFontUnderline = 4;
constexpr std::uint8_t kFontStrikeOut = 8;
constexpr LONG kBoldWeight = 700;  // FW_BOLD

// Brush styles: 0 solid, 1 hollow, 2 and above hatched with hatch style = value - 2.
constexpr std::uint8_t kBrushSolid = 0;
constexpr std::uint8_t kBrushHollow = 1;
constexpr std::uint8_t kBrushHatchedFirst = 2;

struct TBrushData {
  HBITMAP pattern;            // borrowed; set: a pattern brush of this bitmap
  std::uint32_t hatchColour;  // colour value of the hatch lines
  std::uint8_t style;         // kBrushSolid, kBrushHollow or kBrushHatchedFirst + HS_*
  std::uint8_t reserved[3];   // zero: the block is compared byte by byte
};

struct TPenData {
  std::int32_t width;        // in logical units
  std::uint8_t style;        // PS_SOLID .. PS_INSIDEFRAME
  std::uint8_t drawingMode;  // the raster operation (R2_*) minus 1
  std::uint8_t reserved[2];
};

// The description of a tool, compared and copied as one block: every byte of
// it, padding included, is always initialised.
struct TToolData {
  std::uint32_t colour;    // colour value (brush colour, font colour, pen colour)
  std::uint32_t reserved;  // zero
  union {
    LOGFONTA font;
    TBrushData brush;
    TPenData pen;
  };
};

class TGraphicTool;
// Change event: called as (data, tool) when the tool's handle is dropped.
using TToolChangeProc = void (*)(void* data, TGraphicTool* tool);

class TGraphicTool : public TObj {
 public:
  explicit TGraphicTool(TToolKind kind);

  TToolKind Kind() const { return kind_; }

  // --- handle ---
  // The GDI handle, made on demand; the parent's while the data are equal to it.
  // Zero when GDI could not make one.
  HGDIOBJ Handle();
  HFONT FontHandle() { return static_cast<HFONT>(Handle()); }
  HBRUSH BrushHandle() { return static_cast<HBRUSH>(Handle()); }
  HPEN PenHandle() { return static_cast<HPEN>(Handle()); }
  // True when the tool has made a handle of its own.
  bool HasOwnHandle() const { return handle_ != nullptr; }
  // Deletes the own handle (a new one is made on the next request) and fires
  // the change event: once before the old handle is deleted, once after.
  void DropHandle();

  // --- parent and change event ---
  // Links the tool to a parent tool of the same kind (borrowed; it must outlive
  // this tool or be unlinked first). Null unlinks.
  void SetParent(TGraphicTool* parent);
  TGraphicTool* Parent() const { return parent_; }
  void SetOnChange(TToolChangeProc proc, void* data);

  // --- data ---
  const TToolData& Data() const { return data_; }
  // True when both tools are of one kind and their data are equal byte for byte.
  bool SameData(const TGraphicTool& other) const;
  // Copies the data of `source` (same kind); equal data change nothing.
  void Assign(const TGraphicTool& source);
  // A new tool of the same kind with the same data, unlinked, without handle.
  TGraphicTool* Copy() const;

  // Colour value of the tool; a change drops the handle.
  std::uint32_t Colour() const { return data_.colour; }
  void SetColour(std::uint32_t colour);

  // --- font settings (ignored on other kinds) ---
  // Style bits kFontBold..kFontStrikeOut; bold means a weight of 700 or more.
  std::uint8_t FontStyle() const;
  void SetFontStyle(std::uint8_t style);
  // Face name, cut to 31 characters.
  std::string FontName() const;
  void SetFontName(const std::string& name);
  LONG FontHeight() const { return data_.font.lfHeight; }
  void SetFontHeight(LONG height);
  LONG FontWeight() const { return data_.font.lfWeight; }
  void SetFontWeight(LONG weight);
  void SetFontCharset(BYTE charset);

  // --- brush settings (ignored on other kinds) ---
  std::uint8_t BrushStyle() const { return data_.brush.style; }
  void SetBrushStyle(std::uint8_t style);
  // Pattern bitmap (borrowed); non-zero makes a pattern brush.
  void SetBrushPattern(HBITMAP pattern);
  void SetHatchColour(std::uint32_t colour);

  // --- pen settings (ignored on other kinds) ---
  std::uint8_t PenStyle() const { return data_.pen.style; }
  void SetPenStyle(std::uint8_t style);
  void SetPenWidth(std::int32_t width);
  // Raster operation (R2_*), stored minus 1.
  int PenMode() const { return data_.pen.drawingMode + 1; }
  void SetPenMode(int rop2);

 protected:
  ~TGraphicTool() override;

 private:
  // Replaces the data; a difference drops the handle before and after.
  void ChangeData(const TToolData& data);
  // Applies `edit` to a copy of the data of a tool of `kind`, then ChangeData.
  template <class Edit>
  void EditData(TToolKind kind, Edit edit) {
    if (kind_ != kind) {
      return;
    }
    TToolData data = data_;
    edit(data);
    ChangeData(data);
  }
  // Makes a GDI object from the data with the colour resolved now.
  HGDIOBJ MakeHandle(COLORREF colour) const;
  void FireChange();

  TToolKind kind_;
  HGDIOBJ handle_ = nullptr;        // owned
  TGraphicTool* parent_ = nullptr;  // borrowed
  TToolChangeProc on_change_proc_ = nullptr;
  void* on_change_data_ = nullptr;  // borrowed
  COLORREF resolved_colour_ = 0;
  TToolData data_;
};

// --- makers ---
// A font: window-text colour, a zero LOGFONT with DEFAULT_CHARSET and "MS Sans Serif".
TGraphicTool* MakeFont();
// A brush: button-face colour, solid, no pattern. The first one switches the
// controls' background lookup to brush tools (see BrushToolsInUse).
TGraphicTool* MakeBrush();
// A pen: black, solid, width 1, R2_COPYPEN.
TGraphicTool* MakePen();
// True once the process has made a brush tool.
bool BrushToolsInUse();

// Copies the data of `source` into `target`. A null source frees the target;
// a null target gets a copy of the source; tools of different kinds stay as they are.
void AssignTool(TGraphicTool*& target, const TGraphicTool* source);

}  // namespace lobrin
