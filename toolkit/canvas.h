#pragma once
// TCanvas: a device context with the canvas's tools selected into it on demand.
//
// Before each drawing operation the canvas is asked for a set of requirements
// (kRequireContext .. kRequireChangeNotice). It gets its context from a context
// provider when it has none, selects only the tools not yet selected, and
// remembers the selection until the context changes.

#include <windows.h>

#include <cstdint>
#include <string>

#include "toolkit/graphic_tool.h"
#include "toolkit/obj.h"

namespace lobrin {

class TCanvas;

// --- requirements ---
constexpr std::uint8_t kRequireContext = 1;
constexpr std::uint8_t kRequirePen = 2;
constexpr std::uint8_t kRequireBrush = 4;
constexpr std::uint8_t kRequireFont = 8;
constexpr std::uint8_t kRequireChangeNotice = 16;

constexpr DWORD kDefaultCopyMode = SRCCOPY;  // 0xCC0020

// Where a canvas gets its context from and gives it back to.
struct TContextProvider {
  // Produces a context for the canvas; 0 when none can be had.
  HDC (*acquire)(void* data, TCanvas* canvas) = nullptr;
  // Takes back a context that `acquire` produced (tools are already deselected);
  // null: the context is left alone.
  void (*release)(void* data, TCanvas* canvas, HDC context) = nullptr;
  void* data = nullptr;  // borrowed
};

// What the canvas asks of the control it draws on, when its own tools are missing.
struct TCanvasOwner {
  void* control = nullptr;                               // borrowed
  std::uint32_t (*textColour)(void* control) = nullptr;  // colour value
  std::uint32_t (*backgroundColour)(void* control) = nullptr;
  TGraphicTool* (*brushTool)(void* control) = nullptr;  // null when it has none
};

// Who disposes of a context assigned with SetContext.
enum class TContextOwnership : std::uint8_t {
  Borrowed,  // the caller keeps it; the canvas only deselects its tools
  Owned,     // the canvas deletes it (DeleteDC) when it lets go of it
};

// Change event: called as (data, canvas) before drawing operations that ask for it.
using TCanvasChangeProc = void (*)(void* data, TCanvas* canvas);

class TCanvas : public TObj {
 public:
  TCanvas() = default;

  // --- context ---
  void SetProvider(const TContextProvider& provider) { provider_ = provider; }
  const TContextProvider& Provider() const { return provider_; }
  // Gives up the current context (deselecting the tools and giving it back) and
  // takes `context`; 0 only gives up the current one.
  void SetContext(HDC context, TContextOwnership ownership = TContextOwnership::Owned);
  // The current context without asking the provider (0 when none).
  HDC Context() const { return context_; }
  bool HasContext() const { return context_ != nullptr; }
  // The context, asked from the provider when there is none.
  HDC Handle();
  // Does what `requirements` ask (kRequire* bits); see the header comment.
  void RequireState(std::uint8_t requirements);

  // --- owner control ---
  void SetOwner(const TCanvasOwner& owner) { owner_ = owner; }
  const TCanvasOwner& Owner() const { return owner_; }
  bool HasOwner() const { return owner_.control != nullptr; }

  // --- tools (owned, made on first request) ---
  TGraphicTool* Brush();
  TGraphicTool* Font();
  TGraphicTool* Pen();

  void SetOnChange(TCanvasChangeProc proc, void* data);
  void SetCopyMode(DWORD mode) { copy_mode_ = mode; }

  // --- drawing ---
  // Fills `rect` with the canvas brush, else the owner's brush or background
  // colour, else the window colour.
  void FillRect(const RECT& rect);
  // Moves the pen position.
  void MoveTo(int x, int y);
  // Draws a line from the pen position with the pen and moves the pen there.
  void LineTo(int x, int y);
  // Writes `text` at (x, y) with the font and the brush background.
  void WriteText(int x, int y, const std::string& text);
  // Size of `text` in the font; (0, 0) without a context.
  SIZE TextExtent(const std::string& text);
  // Copies `source_rect` of `source` into `dest_rect` with the copy mode.
  void CopyRect(const RECT& dest_rect, TCanvas* source, const RECT& source_rect);

 protected:
  ~TCanvas() override;

 private:
  TGraphicTool* MakeTool(TGraphicTool*& slot, TToolKind kind);
  static void ToolChanged(void* data, TGraphicTool* tool);
  void SelectFont();
  void SelectPen();
  void SelectBrush();
  COLORREF OwnerTextColour() const;
  COLORREF OwnerBackgroundColour() const;

  TCanvasOwner owner_;  // borrowed control
  HDC context_ = nullptr;
  bool context_from_provider_ = false;  // given back through provider_.release
  bool context_owned_ = false;          // DeleteDC when let go
  std::uint8_t selected_ = 0;           // kRequirePen/Brush/Font bits
  POINT pen_pos_{0, 0};
  TGraphicTool* brush_ = nullptr;  // owned
  TGraphicTool* font_ = nullptr;   // owned
  TGraphicTool* pen_ = nullptr;    // owned
  DWORD copy_mode_ = kDefaultCopyMode;
  TContextProvider provider_;
  TCanvasChangeProc on_change_proc_ = nullptr;
  void* on_change_data_ = nullptr;  // borrowed
};

// Makes a canvas (no context, no tools yet).
TCanvas* MakeCanvas();

}  // namespace lobrin
