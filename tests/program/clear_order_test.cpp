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

// Every WM_SETTEXT that reaches one of the watched edits, as "name:text".
struct TextLog {
  std::vector<std::pair<HWND, const char*>> names;
  std::vector<std::pair<HWND, WNDPROC>> procedures;
  std::vector<std::string> entries;
};
TextLog* watched = nullptr;

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC original = nullptr;
  for (const auto& [w, procedure] : watched->procedures)
    if (w == window) original = procedure;
  if (message == WM_SETTEXT) {
    for (const auto& [w, name] : watched->names)
      if (w == window) watched->entries.push_back(std::string(name) + ":" + reinterpret_cast<const char*>(lParam));
  }
  return CallWindowProcA(original, window, message, wParam, lParam);
}

TEST(ClearButton, EmptiesTheSevenBoxesInHubOrderWithoutCalculating) {
  InitializeProgramModules();
  DisableLinks();
  auto* form = new TClassMainForm_2157830();
  EnableLinks();
  RunStartupCallbacks();

  TextLog log;
  watched = &log;
  const std::pair<graph::Id, const char*> edits[] = {
      {graph::HPlaneBwEdit, "HPlaneBw"}, {graph::EPlaneBwEdit, "EPlaneBw"}, {graph::FrequencyEdit, "Frequency"},
      {graph::HMetersEdit, "HMeters"},   {graph::HFeetEdit, "HFeet"},       {graph::EMetersEdit, "EMeters"},
      {graph::EFeetEdit, "EFeet"}};
  for (const auto& [edit, name] : edits) {
    HWND window = form->Elements().EditAt(edit).control->handle;
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("7"));
    log.names.emplace_back(window, name);
    log.procedures.emplace_back(window, reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
                                            window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProcedure))));
  }

  SendMessageA(form->Elements().ButtonAt(graph::ClearButton).control->handle, BM_CLICK, 0, 0);
  EXPECT_EQ(log.entries, (std::vector<std::string>{"HPlaneBw:", "Frequency:", "HMeters:", "HFeet:", "EFeet:",
                                                   "EMeters:", "EPlaneBw:"}));

  for (const auto& [window, procedure] : log.procedures)
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
  watched = nullptr;
  DisableLinks();
  delete form;
  FinalizeProgramModules();
}

}  // namespace
}  // namespace lobrin
