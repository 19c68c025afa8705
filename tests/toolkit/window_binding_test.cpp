// Which control a window belongs to, for as long as the window lives and not
// a moment longer, and what the toolkit does to windows that are not on
// screen yet: they get their font once, and are painted whole when they show.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/form_fixture.h"

namespace lobrin {
namespace {

class WindowBindingTest : public testing::FormTest {};

TEST_F(WindowBindingTest, EveryKindNamesItsControlWhileItsWindowLivesAndNotAfter) {
  const struct {
    const char* kind;
    TControl* (*make)(TControl* form);
  } rows[] = {
      {"form", [](TControl* app) { return MakeForm(app, "second form"); }},
      {"label", [](TControl* form) { return MakeLabel(form, "label"); }},
      {"edit", [](TControl* form) { return MakeEdit(form, 0); }},
      {"button", [](TControl* form) { return MakeButton(form, "button"); }},
      {"paint box", [](TControl* form) { return MakePaintBox(form); }},
  };
  for (const auto& row : rows) {
    TControl* control = row.make(std::string(row.kind) == "form" ? app_ : form_);
    HWND hwnd = HandleOf(control);
    EXPECT_EQ(ControlOfWindow(hwnd), control) << row.kind;
    EXPECT_EQ(GetPropA(hwnd, "SELF_"), control) << row.kind << ": outside observers read the property";
    control->Free();
    EXPECT_EQ(ControlOfWindow(hwnd), nullptr) << row.kind;
  }
  EXPECT_EQ(ControlOfWindow(HandleOf(app_)), app_);
  EXPECT_EQ(ControlOfWindow(nullptr), nullptr);
  // Each kind's window class is registered once, over the system class it extends.
  TControl* first = MakeEdit(form_, 0);
  TControl* second = MakeEdit(form_, 0);
  EXPECT_EQ(GetClassLongPtrA(HandleOf(first), GCW_ATOM), GetClassLongPtrA(HandleOf(second), GCW_ATOM));
  WNDCLASSA system = {};
  ASSERT_TRUE(GetClassInfoA(nullptr, "EDIT", &system));
  EXPECT_EQ(second->previousWndProc, system.lpfnWndProc);
}

TEST_F(WindowBindingTest, AWindowWhoseLastMessageAHandlerTakesLeavesNoBindingBehind) {
  TControl* label = MakeLabel(form_, "taken");
  AttachHandler(
      label, [](TControl*, TMessage& msg, LRESULT&) { return msg.message == WM_NCDESTROY; }, false);
  HWND hwnd = HandleOf(label);
  DestroyWindow(hwnd);
  EXPECT_EQ(ControlOfWindow(hwnd), nullptr);
  label->Free();  // its window is gone already: nothing else may be destroyed
  EXPECT_TRUE(IsWindow(HandleOf(form_)));
}

TEST_F(WindowBindingTest, AForeignWindowIsNoControlsAndGetsNoReflectedCommands) {
  static std::string received;
  received.clear();
  WNDCLASSA wc = {};
  wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == kReflectedCommand) {
      received += "foreign ";
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
  };
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "WindowBindingTestForeign";
  RegisterClassA(&wc);
  HWND foreign = CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD, 0, 0, 10, 10, HandleOf(form_), nullptr,
                                 wc.hInstance, nullptr);
  ASSERT_NE(foreign, nullptr);
  EXPECT_EQ(ControlOfWindow(foreign), nullptr);
  TControl* button = MakeButton(form_, "button");
  button->onClick = TNotifyEvent{[](void*, TControl*) { received += "button "; }, nullptr};
  for (HWND from : {foreign, HandleOf(button)}) {
    SendMessageA(HandleOf(form_), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(from));
  }
  EXPECT_EQ(received, "button ");
}

// The fonts handed to one control's window, recorded by the global pre-dispatch hook.
TControl* g_watched = nullptr;
std::string g_fonts;

TEST_F(WindowBindingTest, ANewWindowGetsItsFontOnceAndIsPaintedWholeWhenItShows) {
  g_fonts.clear();
  TControl* label = g_watched = MakeLabel(form_, "first");
  label->font->SetFontWeight(700);  // a font of its own, not the form's
  Application().preDispatchHook = [](TControl* control, TMessage& msg, LRESULT&) {
    if (control == g_watched && msg.message == WM_SETFONT) {
      g_fonts +=
          msg.wParam == reinterpret_cast<WPARAM>(control->font->FontHandle()) ? "own font " : "other font ";
    }
    return false;
  };
  HWND hwnd = HandleOf(label);
  Application().preDispatchHook = nullptr;
  EXPECT_EQ(g_fonts, "own font ");

  // A text set while the form is hidden asks for no repaint, and still shows.
  SetControlText(label, "second");
  EXPECT_EQ(GetControlText(label), "second");
  SetControlVisible(form_, true);
  EXPECT_TRUE(GetUpdateRect(hwnd, nullptr, FALSE)) << "shown: painted whole";
  testing::DrainMessages();
  EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
  SetControlText(label, "third");
  EXPECT_TRUE(GetUpdateRect(hwnd, nullptr, FALSE)) << "on screen: repainted after a change";
}

}  // namespace
}  // namespace lobrin
