#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "app/calculator_form.h"
#include "app/program_modules.h"
#include "elements/data.h"
#include "toolkit/control.h"

namespace lobrin {
namespace {

// Replaces the text of an edit, as a paste does.
void Paste(THIEdit& edit, const char* text) {
  SendMessageA(edit.control->handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

TEST(CalculatorForm, BuildsTheWholeGraphWithLinkTrafficOffAndFreesEveryWindow) {
  InitializeProgramModules();
  DisableLinks();
  auto* form = new TClassMainForm_2157830();
  EXPECT_EQ(form->Elements().ElementsMade(), 53) << "the window leaves no element out";

  HWND main = form->MainForm->control->handle;
  ASSERT_TRUE(IsWindow(main));
  EXPECT_FALSE(IsWindowVisible(main)) << "nothing shows before the start-up step";

  // While traffic is off, a typed frequency reaches no wavelength element.
  Paste(form->Elements().EditAt(graph::FrequencyEdit), "150");
  EXPECT_EQ(form->Elements().MathAt(graph::HWavelengthMath).result, 0.0);
  Paste(form->Elements().EditAt(graph::FrequencyEdit), "");

  EnableLinks();
  RunStartupCallbacks();
  EXPECT_TRUE(IsWindowVisible(main));
  Paste(form->Elements().EditAt(graph::FrequencyEdit), "150");
  EXPECT_EQ(form->Elements().MathAt(graph::HWavelengthMath).result, 2.0);

  HWND calculate = form->Elements().ButtonAt(graph::CalculateButton).control->handle;
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(calculate, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfWeight, FW_BOLD) << "the caption of Calculate is bold";

  std::vector<HWND> windows;
  EnumChildWindows(main, [](HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&windows));
  ASSERT_FALSE(windows.empty());

  DisableLinks();
  delete form;
  EXPECT_FALSE(IsWindow(main));
  for (HWND child : windows) EXPECT_FALSE(IsWindow(child));
  FinalizeProgramModules();
}

}  // namespace
}  // namespace lobrin
