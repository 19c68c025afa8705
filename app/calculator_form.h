#pragma once
// The calculator's window: the graph of app/calculator_graph.h made of
// windowed elements, with their places, looks and texts. The form has no
// behaviour of its own beyond building the graph and freeing it.

#include <cstdint>
#include <memory>
#include <vector>

#include "app/calculator_graph.h"
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
  // Builds the graph of app/calculator_graph.h with windowed elements, in
  // creation order (link traffic is off meanwhile), makes its links and
  // finishes the windowed elements.
  TClassMainForm_2157830();
  // Frees the elements in reverse creation order, MainForm last.
  ~TClassMainForm_2157830();
  TClassMainForm_2157830(const TClassMainForm_2157830&) = delete;
  TClassMainForm_2157830& operator=(const TClassMainForm_2157830&) = delete;

  using Graph = CalculatorGraph<TClassMainForm_2157830>;

  THIMainForm* MainForm = nullptr;  // borrowed from the graph
  // Every element, by its number in creation order; owned here.
  Graph& Elements() { return *graph_; }

  // --- Making the windowed elements (called by the graph while it builds)
  using Edit = THIEdit;
  using Button = THIButton;
  using Message = THIMessage;
  THIEdit* MakeEdit(graph::Id id);
  THIButton* MakeButton(graph::Id id, const TData& clickData);
  THIMessage* MakeMessage(graph::Id id);
  // The main form, a label or a picture.
  OwnedElement MakeVisual(const graph::ElementRow& row);

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

 private:
  // Makes a windowed element inside the main window and gives it the common
  // settings with its bounds and look.
  template <class Element>
  Element* AddWindowed(const Bounds& bounds, const Look& look);

  THIMainForm* MakeMainForm();
  THILabel* MakeLabel(graph::Id id);
  THIImage* MakePicture(graph::Id id);
  void Finish();

  std::vector<THIWin*> windowed_;  // borrowed from the graph, the windowed ones in creation order
  std::unique_ptr<Graph> graph_;   // owned
};

}  // namespace lobrin
