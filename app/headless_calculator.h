#pragma once
// The calculator's graph without windows: its seven edit boxes are windowless
// text boxes, its buttons windowless buttons, and its info box counts the
// requests to show. The main form, the labels and the pictures are left out:
// no link reaches them.

#include <string>
#include <vector>

#include "app/calculator_graph.h"
#include "elements/windowless.h"

namespace lobrin {

struct HeadlessKit {
  using Edit = THITextBox;
  using Button = THIPushButton;
  using Message = THISilentMessage;

  THITextBox* MakeEdit(graph::Id) { return new THITextBox(); }
  THIPushButton* MakeButton(graph::Id, const TData& clickData);
  THISilentMessage* MakeMessage(graph::Id) { return new THISilentMessage(); }
  OwnedElement MakeVisual(const graph::ElementRow&) { return {}; }
};

// Link traffic on for one scope, then back to what it was.
class LinkTrafficOn {
 public:
  LinkTrafficOn();
  ~LinkTrafficOn();
  LinkTrafficOn(const LinkTrafficOn&) = delete;
  LinkTrafficOn& operator=(const LinkTrafficOn&) = delete;

 private:
  bool wasOn_;
};

// What the four result boxes show: H-plane metres and feet, E-plane metres and feet.
struct DistanceTexts {
  std::string hMetres, hFeet, eMetres, eFeet;
  bool operator==(const DistanceTexts& other) const;
};

class HeadlessCalculator {
 public:
  // Builds the graph; link traffic is left as it is.
  HeadlessCalculator();

  CalculatorGraph<HeadlessKit>& Graph() { return graph_; }
  THITextBox& Box(graph::Id edit) { return graph_.EditAt(edit); }
  void Click(graph::Id button) { graph_.ButtonAt(button).Click(); }

  // Puts every element back in the state the constructor left it in: each box
  // empty and reporting its next change, each arithmetic element holding its
  // initial result without error, no message shown. Buttons and hubs hold
  // only settings and links, which no calculation changes.
  void Reset();

  // One calculation as CalculateOnce makes it, on this graph after a Reset:
  // the same texts as on a fresh graph, without building one. `shown` keeps
  // its strings' memory.
  void Calculate(const std::string& hPlaneBeamwidth, const std::string& ePlaneBeamwidth,
                 const std::string& frequency, DistanceTexts& shown);

 private:
  HeadlessKit kit_;
  CalculatorGraph<HeadlessKit> graph_;
  // Borrowed from graph_: what Reset puts back.
  std::vector<THITextBox*> boxes_;
  std::vector<THIMath*> maths_;
  std::vector<THISilentMessage*> messages_;
};

// One calculation as the window makes it on a fresh start: the frequency,
// then the H-plane and E-plane beamwidths are entered (each text at once, as
// pasted), and Calculate is clicked once. Switches link traffic on for the
// calculation and back to what it was.
DistanceTexts CalculateOnce(const std::string& hPlaneBeamwidth, const std::string& ePlaneBeamwidth,
                            const std::string& frequency);

}  // namespace lobrin
