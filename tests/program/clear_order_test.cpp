// The Clear button on the real form: which boxes get a new text, in which
// order, and that the silent ones start no calculation on the way.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "app/calculator_form.h"
#include "app/program_modules.h"
#include "elements/data.h"
#include "toolkit/control.h"

namespace lobrin {
namespace {

// An edit whose WM_SETTEXT messages are recorded, with the procedure it had before.
struct WatchedEdit {
  HWND window;
  const char* name;
  WNDPROC original;
};
std::vector<WatchedEdit> watched;
std::vector<std::string> setTexts;  // every WM_SETTEXT to a watched edit, as "name:text"

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  for (const WatchedEdit& edit : watched) {
    if (edit.window != window) continue;
    if (message == WM_SETTEXT) setTexts.push_back(std::string(edit.name) + ":" + reinterpret_cast<const char*>(lParam));
    return CallWindowProcA(edit.original, window, message, wParam, lParam);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(ClearButton, EmptiesTheSevenBoxesInHubOrderWithoutCalculating) {
  InitializeProgramModules();
  DisableLinks();
  auto* form = new TClassMainForm_2157830();
  EnableLinks();
  RunStartupCallbacks();

  const std::pair<graph::Id, const char*> edits[] = {
      {graph::HPlaneBwEdit, "HPlaneBw"}, {graph::EPlaneBwEdit, "EPlaneBw"}, {graph::FrequencyEdit, "Frequency"},
      {graph::HMetersEdit, "HMeters"},   {graph::HFeetEdit, "HFeet"},       {graph::EMetersEdit, "EMeters"},
      {graph::EFeetEdit, "EFeet"}};
  for (const auto& [edit, name] : edits) {
    HWND window = form->Elements().EditAt(edit).control->handle;
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("7"));
    const LONG_PTR original = SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProcedure));
    watched.push_back({window, name, reinterpret_cast<WNDPROC>(original)});
  }

  SendMessageA(form->Elements().ButtonAt(graph::ClearButton).control->handle, BM_CLICK, 0, 0);
  EXPECT_EQ(setTexts, (std::vector<std::string>{"HPlaneBw:", "Frequency:", "HMeters:", "HFeet:", "EFeet:",
                                                 "EMeters:", "EPlaneBw:"}));

  for (const WatchedEdit& edit : watched)
    SetWindowLongPtrA(edit.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(edit.original));
  watched.clear();
  DisableLinks();
  delete form;
  FinalizeProgramModules();
}

}  // namespace
}  // namespace lobrin
