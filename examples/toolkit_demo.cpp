// A small program made with the toolkit alone: a form with a label, an edit box,
// a button and a result line. Typing a frequency and clicking "Calculate" shows
// the wavelength. The optional argument "/close N" closes the form after N ms.

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "toolkit/application.h"
#include "toolkit/auto_size.h"
#include "toolkit/control.h"
#include "toolkit/focus.h"
#include "toolkit/fpu_control.h"
#include "toolkit/message_loop.h"
#include "toolkit/number_text.h"

namespace {

using namespace lobrin;

struct Demo {
  TControl* edit = nullptr;
  TControl* result = nullptr;
};

void Calculate(void* data, TControl*) {
  auto* demo = static_cast<Demo*>(data);
  const double megahertz = TextToReal(GetControlText(demo->edit));
  if (megahertz <= 0.0) {
    SetControlText(demo->result, "Type a frequency above 0 MHz.");
    return;
  }
  const double metres = static_cast<double>(300.0L / static_cast<long double>(megahertz));
  SetControlText(demo->result, "Wavelength: " + RealToText(metres) + " m");
}

TControl* PlacedLabel(TControl* form, const std::string& caption, int left, int top) {
  TControl* label = MakeLabel(form, caption);
  SetControlPosition(label, left, top);
  SetTextAlignment(label, TextAlignment::kLeft);
  SetAutoSize(label, true);
  return label;
}

void CALLBACK CloseTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (AppWindow() != nullptr && AppWindow()->children->Count() > 0) {
    auto* form = static_cast<TControl*>(AppWindow()->children->Get(0));
    if (form->handle != nullptr) {
      PostMessageA(form->handle, WM_CLOSE, 0, 0);
    }
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  SetExtendedPrecisionNoTraps();
  Demo demo;

  TControl* app = MakeAppWindow("Toolkit demo");
  TControl* form = MakeForm(app, "Toolkit demo");
  SetControlPosition(form, 120, 100);
  SetClientWidth(form, 340);
  SetClientHeight(form, 130);
  form->font->SetFontHeight(-11);

  PlacedLabel(form, "Frequency (MHz):", 16, 20);
  demo.edit = MakeEdit(form, 0);
  SetControlPosition(demo.edit, 130, 16);
  SetControlSize(demo.edit, 180, 22);
  SetControlColour(demo.edit, kColourWindow);

  TControl* button = MakeButton(form, "Calculate");
  SetControlPosition(button, 130, 50);
  SetControlSize(button, 100, 26);
  button->onClick = TNotifyEvent{&Calculate, &demo};

  demo.result = PlacedLabel(form, "Type a frequency and click Calculate.", 16, 94);
  EnableKeyNavigation(form);
  SetControlVisible(form, true);

  const char* close = commandLine != nullptr ? std::strstr(commandLine, "/close") : nullptr;
  if (close != nullptr) {
    close += std::strlen("/close");
    while (*close != '\0' && (*close < '0' || *close > '9')) {
      ++close;
    }
    SetTimer(nullptr, 0, static_cast<UINT>(std::atoi(close)), &CloseTimer);
  }
  RunMessageLoop(app);
  return 0;
}
