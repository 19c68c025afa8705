#pragma once
// THILabel: a static text that sizes itself to its caption and can change its
// look while the mouse is over it.

#include <cstdint>
#include <string>

#include "elements/data.h"
#include "elements/win/win.h"

namespace lobrin {

class THILabel : public THIWin {
 public:
  // Removes the click handler from the control before the base frees it.
  ~THILabel() override;

  // --- Steps the form drives
  // The base Create, then the label control at once, so that the setters work before Init.
  void Create(TControl* parent) override;
  // The base Init, then the caption.
  void Init() override;

  // --- Setters (before Init)
  // On: the control sizes itself to its caption now and after every change of text or font.
  void SetAutoSize(bool on);
  void SetTextAlign(TextAlignment alignment);

  // --- Hover look, on top of the base events
  void MouseEnter(TControl* sender) override;
  void MouseLeave(TControl* sender) override;

  // --- Events
  THI_Event onClick;  // NULL, on every click

  // --- Settings
  std::uint32_t hoverColour = 0;  // font colour while the mouse is over the label; 0: no change
  bool hoverUnderline = false;    // underline the caption while the mouse is over the label
  std::string caption;            // owned; applied by Init

 private:
  // Fires onClick.
  void Clicked(TControl* sender);
};

}  // namespace lobrin
