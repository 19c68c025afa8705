#pragma once
// The calculator: 53 elements, their settings, and the 36 links that make the
// calculation. The form has no behaviour of its own beyond building the graph
// and freeing it.

#include <cstdint>
#include <vector>

#include "elements/hub.h"
#include "elements/math.h"
#include "elements/message.h"
#include "elements/win/button.h"
#include "elements/win/edit.h"
#include "elements/win/image.h"
#include "elements/win/label.h"
#include "elements/win/main_form.h"

namespace lobrin {

class TClassMainForm_2157830 {
 public:
  // Builds every element in creation order (link traffic is off meanwhile),
  // makes the links and finishes the windowed elements.
  TClassMainForm_2157830();
  // Frees the elements in reverse creation order, MainForm last.
  ~TClassMainForm_2157830();
  TClassMainForm_2157830(const TClassMainForm_2157830&) = delete;
  TClassMainForm_2157830& operator=(const TClassMainForm_2157830&) = delete;

  // The elements, in creation order; borrowed from `elements_`, which owns them.
  THIMainForm* MainForm = nullptr;
  THIButton* CalculateButton = nullptr;
  THIEdit* HPlaneBwEdit = nullptr;
  THIEdit* FrequencyEdit = nullptr;
  THIMath* HHalfAngleMath = nullptr;
  THIMath* HSineMath = nullptr;
  THIHub* CalculateHub = nullptr;
  THIMath* HDoubleSineMath = nullptr;
  THIMath* HDistanceMath = nullptr;
  THIMath* HWavelengthMath = nullptr;
  THIHub* FrequencyHub = nullptr;
  THIButton* ClearButton = nullptr;
  THIHub* ClearHub = nullptr;
  THILabel* HPlaneDegLabel = nullptr;
  THILabel* MhzLabel = nullptr;
  THILabel* HMetersLabel = nullptr;
  THILabel* Step1Label = nullptr;
  THILabel* Step2Label = nullptr;
  THILabel* Step3Label = nullptr;
  THILabel* StepsLabel = nullptr;
  THILabel* HPlaneBwLabel = nullptr;
  THILabel* FrequencyLabel = nullptr;
  THIMath* HFeetMath = nullptr;
  THIImage* ArrayPicture = nullptr;
  THIEdit* HMetersEdit = nullptr;
  THILabel* HMetersLabel2 = nullptr;
  THIEdit* EMetersEdit = nullptr;
  THIHub* HDistanceHub = nullptr;
  THILabel* EMetersLabel = nullptr;
  THIEdit* HFeetEdit = nullptr;
  THILabel* HFeetLabel = nullptr;
  THIEdit* EFeetEdit = nullptr;
  THILabel* EFeetLabel = nullptr;
  THIHub* HFeetHub = nullptr;
  THILabel* CreditLabel = nullptr;
  THIImage* BeamwidthPicture = nullptr;
  THILabel* BeamwidthNoteLabel = nullptr;
  THILabel* SourceNoteLabel = nullptr;
  THIButton* InfoButton = nullptr;
  THIMessage* InfoMessage = nullptr;
  THILabel* ReadInfoLabel = nullptr;
  THIEdit* EPlaneBwEdit = nullptr;
  THILabel* EPlaneDegLabel = nullptr;
  THILabel* EPlaneBwLabel = nullptr;
  THIMath* EHalfAngleMath = nullptr;
  THIMath* ESineMath = nullptr;
  THIHub* EPlaneHub = nullptr;
  THIMath* EDoubleSineMath = nullptr;
  THIMath* EDistanceMath = nullptr;
  THIMath* EWavelengthMath = nullptr;
  THIMath* EFeetMath = nullptr;
  THILabel* StackingDistanceLabel = nullptr;
  THILabel* PlaneNoteLabel = nullptr;

  // Position and outer size of a windowed element in the main window's client area.
  struct Bounds {
    int left, top, width, height;
  };
  // The look of a windowed element: background colour, edge style and font.
  struct Look {
    std::uint32_t background;
    EdgeStyle edgeStyle;
    std::uint8_t fontStyle;
    std::uint32_t fontColour;
  };

  // How many elements and links the form makes.
  static int ElementCount();
  static int LinkCount();

 private:
  // One element and the routine that frees it with its own class's destructor.
  struct OwnedElement {
    void* element;
    void (*destroy)(void* element);
  };

  template <class Element>
  Element* Adopt(Element* element);
  // Adopts a new windowed element, stores it in `slot`, creates it inside the
  // main window and gives it the common settings with its bounds and look.
  template <class Element>
  Element* AddWindowed(Element* TClassMainForm_2157830::*slot, const Bounds& bounds, const Look& look);

  void CreateElement(int number);
  void MakeMainForm();
  void MakeButton(int number);
  void MakeEdit(int number);
  void MakeLabel(int number);
  void MakePicture(int number);
  void MakeMath(int number);
  void MakeHub(int number);
  void MakeInfoMessage();
  void MakeLinks();
  void Finish();

  std::vector<OwnedElement> elements_;  // owned, in creation order
  std::vector<THIWin*> windowed_;       // borrowed, the windowed ones in creation order
};

}  // namespace lobrin
