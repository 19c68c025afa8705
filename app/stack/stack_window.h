#pragma once
// Lobrin Stack's window: the inputs of a stack, its figures per plane, the
// stacking gain as the largest figure, and the chart, all recomputed as the
// user types. Built from the toolkit's controls; every figure comes from
// StackSheet, every chart position from the chart's layout.
//
// Layout: every position and size is written for 96 DPI and goes through
// Scale, once, when it is applied. The left column holds the inputs and the
// results at a fixed size; the chart takes what the window has beyond it.

#include <windows.h>

#include <array>
#include <string>

#include "app/stack/stack_sheet.h"
#include "toolkit/control.h"

namespace lobrin::stackwin {

// The rows of the result table: one per text of PlaneTexts.
inline constexpr std::size_t kResultRowCount = 7;

class StackWindow {
 public:
  // Makes the application window and the form with every control (no window
  // exists until the message loop starts), filled for the worked example.
  StackWindow();
  ~StackWindow() = default;
  StackWindow(const StackWindow&) = delete;
  StackWindow& operator=(const StackWindow&) = delete;

  // The application window, for the message loop; the toolkit frees it at the end.
  TControl*& AppWindowSlot() { return app_; }

 private:
  struct ResultBoxes {
    std::array<TControl*, kResultRowCount> values;  // borrowed; PlaneTexts' texts in their order
  };

  // --- Building
  void MakeInputs();
  void MakeResults();
  // The 96-DPI value `v` at the screen's DPI.
  int Scale(int v) const;
  void Place(TControl* control, int left, int top, int width, int height) const;
  TControl* AddLabel(const std::string& caption, int left, int top, int width, int height);

  // --- Handlers
  void InputChanged(TControl* sender);
  void CopyClicked(TControl* sender);
  void DistanceClicked(TControl* sender);
  void Resized(TControl* sender);
  bool FormMessage(TMessage& msg, LRESULT& result);
  void PaintChartBox(TControl* sender, HDC dc);
  // Alt+letter jumps and Escape in a spacing box, before any control sees them.
  static bool KeyHook(TControl* control, TMessage& msg, LRESULT& result);
  // An empty spacing box shows the DL6WU distance greyed.
  static bool SpacingCuePaint(TControl* control, TMessage& msg, LRESULT& result);

  // --- Internals
  void Recompute();
  void ShowText(TControl* control, const std::string& text);
  void PlaceChart();
  // The chart's figures for the current inputs, then a repaint of the chart.
  void UpdateChart();
  static void CALLBACK ChartTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
  InputTexts ReadInputs();

  int dpi_ = 96;
  TControl* app_ = nullptr;                      // borrowed: freed by the message loop's end
  TControl* form_ = nullptr;                     // borrowed: a child of app_
  std::array<TControl*, kInputCount> inputs_{};  // borrowed
  std::array<TControl*, 2> distanceButtons_{};   // borrowed; kPlaneH, kPlaneE
  std::array<ResultBoxes, 2> results_{};         // borrowed; kPlaneH, kPlaneE
  TControl* stackGain_ = nullptr;                // borrowed
  TControl* reason_ = nullptr;                   // borrowed
  TControl* chart_ = nullptr;                    // borrowed
  TControl* modelLine_ = nullptr;                // borrowed
  std::array<TControl*, 128> mnemonics_{};       // borrowed; by lower-case letter
  StackSheet computer_;
  Sheet sheet_;
  chart::Figures chartFigures_;  // of the last inputs without a problem, once typing paused
  bool chartReady_ = false;
};

}  // namespace lobrin::stackwin
