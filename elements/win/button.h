#pragma once
// THIButton: a push button that fires one event with a fixed value when clicked.

#include <string>

#include "elements/data.h"
#include "elements/win/win.h"

namespace lobrin {

class THIButton : public THIWin {
 public:
  // Removes the click handler and the default role from the control before the base frees it.
  ~THIButton() override;

  // Makes the button control, applies the button's own settings, then the base Init.
  void Init() override;

  // --- Events
  THI_Event onClick;  // a copy of clickData, on every click

  // --- Settings applied by Init
  TData clickData;             // owned; NULL unless the form sets it
  std::string caption;         // owned
  bool defaultButton = false;  // Enter pressed in the form clicks it

 private:
  // Fires onClick with a copy of clickData.
  void Clicked(TControl* sender);
};

}  // namespace lobrin
