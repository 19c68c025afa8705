#pragma once
// The calculator's graph: its 53 elements in creation order, the settings of
// the arithmetic elements, hubs and buttons, and the 36 links. These tables
// are the only description of the graph. The window builds it with its
// windowed elements (app/calculator_form.cpp); the command-line calculator,
// the native tests and the fuzzer build it with windowless ones
// (app/headless_calculator.h).
//
// CalculatorGraph<Kit> creates the elements in table order: the arithmetic
// elements and hubs itself, the others through the kit, which knows how to
// make an edit, a button or a message element of its own kind, and may make
// the purely visual ones (main form, labels, pictures) or leave them out. Then
// it makes the links. Link traffic is not touched.

#include <array>
#include <cassert>
#include <cstdint>
#include <vector>

#include "elements/data.h"
#include "elements/hub.h"
#include "elements/math.h"

namespace lobrin {
namespace graph {

// Every element, numbered in creation order.
enum Id : std::uint8_t {
  MainForm = 1,
  CalculateButton,
  HPlaneBwEdit,
  FrequencyEdit,
  HHalfAngleMath,
  HSineMath,
  CalculateHub,
  HDoubleSineMath,
  HDistanceMath,
  HWavelengthMath,
  FrequencyHub,
  ClearButton,
  ClearHub,
  HPlaneDegLabel,
  MhzLabel,
  HMetersLabel,
  Step1Label,
  Step2Label,
  Step3Label,
  StepsLabel,
  HPlaneBwLabel,
  FrequencyLabel,
  HFeetMath,
  ArrayPicture,
  HMetersEdit,
  HMetersLabel2,
  EMetersEdit,
  HDistanceHub,
  EMetersLabel,
  HFeetEdit,
  HFeetLabel,
  EFeetEdit,
  EFeetLabel,
  HFeetHub,
  CreditLabel,
  BeamwidthPicture,
  BeamwidthNoteLabel,
  SourceNoteLabel,
  InfoButton,
  InfoMessage,
  ReadInfoLabel,
  EPlaneBwEdit,
  EPlaneDegLabel,
  EPlaneBwLabel,
  EHalfAngleMath,
  ESineMath,
  EPlaneHub,
  EDoubleSineMath,
  EDistanceMath,
  EWavelengthMath,
  EFeetMath,
  StackingDistanceLabel,
  PlaneNoteLabel,
};
constexpr int kElementCount = 53;
constexpr int kLinkCount = 36;

enum class Kind { kMainForm, kButton, kEdit, kLabel, kPicture, kMath, kHub, kMessage };

struct ElementRow {
  Id id;
  const char* name;
  Kind kind;
};
extern const ElementRow kElements[kElementCount];

struct MathRow {
  Id id;
  std::uint8_t operation;  // a MathOperation
  double firstDefault;
  double secondDefault;
  std::uint8_t angleMode;  // an AngleMode
  double initialResult;
};
extern const MathRow kMaths[12];

struct HubRow {
  Id id;
  std::uint16_t outputs;
};
extern const HubRow kHubs[6];

// What a button's click sends.
enum class ClickValue { kNull, kRealZero };
struct ButtonRow {
  Id id;
  ClickValue clickData;
};
extern const ButtonRow kButtons[3];

// The source side of a link: an output event, or the data link through which
// an arithmetic element reads an operand; `output` is a hub's output index.
enum class Event : std::uint8_t {
  onClick,
  onChange,
  resultEvent,
  firstOperandLink,
  secondOperandLink,
  outputs
};
struct Source {
  Event event;
  std::uint8_t output;
};
// The target side: the point that the link calls.
enum class Point : std::uint8_t {
  fanOutPoint,
  computePoint,
  resultPoint,
  textPoint,
  setTextPoint,
  setTextSilentPoint,
  showPoint
};

struct LinkRow {
  Id source;
  Source event;
  Id target;
  Point point;
  std::uint16_t index;
};
extern const LinkRow kLinks[kLinkCount];

const ElementRow& RowOf(Id id);
void ApplySettings(THIMath& math, const MathRow& row);
// The value a button of this row sends.
TData ClickDataOf(Id button);

}  // namespace graph

// A freshly made element and the routine that frees it with its own class's destructor.
struct OwnedElement {
  void* element = nullptr;
  void (*destroy)(void* element) = nullptr;

  template <class Element>
  static OwnedElement Of(Element* element) {
    return {element, [](void* e) { delete static_cast<Element*>(e); }};
  }
};

// Kit: names the types `Edit`, `Button` and `Message`, and makes them with
//   Edit* MakeEdit(graph::Id), Button* MakeButton(graph::Id, const TData& clickData),
//   Message* MakeMessage(graph::Id), OwnedElement MakeVisual(const graph::ElementRow&)
// (the last may answer an empty OwnedElement: that element is left out).
// Every element made is owned by the graph from then on.
template <class Kit>
class CalculatorGraph {
 public:
  using Edit = typename Kit::Edit;
  using Button = typename Kit::Button;
  using Message = typename Kit::Message;

  // Makes the elements in creation order, then the links.
  explicit CalculatorGraph(Kit& kit);
  // Frees the elements in reverse creation order.
  ~CalculatorGraph();
  CalculatorGraph(const CalculatorGraph&) = delete;
  CalculatorGraph& operator=(const CalculatorGraph&) = delete;

  // The element of `id`; asserts that it is of that kind and exists.
  Edit& EditAt(graph::Id id) const { return *static_cast<Edit*>(At(id, graph::Kind::kEdit)); }
  Button& ButtonAt(graph::Id id) const { return *static_cast<Button*>(At(id, graph::Kind::kButton)); }
  Message& MessageAt(graph::Id id) const { return *static_cast<Message*>(At(id, graph::Kind::kMessage)); }
  THIMath& MathAt(graph::Id id) const { return *static_cast<THIMath*>(At(id, graph::Kind::kMath)); }
  THIHub& HubAt(graph::Id id) const { return *static_cast<THIHub*>(At(id, graph::Kind::kHub)); }
  // The element of `id` as the kit made it, or null when it was left out.
  void* Element(graph::Id id) const { return byId_[id]; }
  int ElementsMade() const { return static_cast<int>(owned_.size()); }

 private:
  void* At(graph::Id id, graph::Kind kind) const {
    assert(graph::RowOf(id).kind == kind && byId_[id] != nullptr);
    (void)kind;
    return byId_[id];
  }
  OwnedElement Make(Kit& kit, const graph::ElementRow& row);
  THI_Event* SourceOf(const graph::LinkRow& row) const;
  THI_Event TargetOf(const graph::LinkRow& row) const;

  std::vector<OwnedElement> owned_;                     // owned, in creation order
  std::array<void*, graph::kElementCount + 1> byId_{};  // borrowed from owned_; [0] unused
};

template <class Kit>
CalculatorGraph<Kit>::CalculatorGraph(Kit& kit) {
  owned_.reserve(graph::kElementCount);
  for (const graph::ElementRow& row : graph::kElements) {
    const OwnedElement made = Make(kit, row);
    if (made.element == nullptr) {
      continue;
    }
    owned_.push_back(made);
    byId_[row.id] = made.element;
  }
  for (const graph::LinkRow& row : graph::kLinks) {
    *SourceOf(row) = TargetOf(row);
  }
}

template <class Kit>
CalculatorGraph<Kit>::~CalculatorGraph() {
  for (auto it = owned_.rbegin(); it != owned_.rend(); ++it) {
    it->destroy(it->element);
  }
}

template <class Kit>
OwnedElement CalculatorGraph<Kit>::Make(Kit& kit, const graph::ElementRow& row) {
  switch (row.kind) {
    case graph::Kind::kMath: {
      auto* math = new THIMath();
      for (const graph::MathRow& setting : graph::kMaths) {
        if (setting.id == row.id) {
          graph::ApplySettings(*math, setting);
        }
      }
      return OwnedElement::Of(math);
    }
    case graph::Kind::kHub: {
      auto* hub = new THIHub();
      for (const graph::HubRow& setting : graph::kHubs) {
        if (setting.id == row.id) {
          hub->SetOutputCount(setting.outputs);
        }
      }
      return OwnedElement::Of(hub);
    }
    case graph::Kind::kEdit: return OwnedElement::Of(kit.MakeEdit(row.id));
    case graph::Kind::kButton: return OwnedElement::Of(kit.MakeButton(row.id, graph::ClickDataOf(row.id)));
    case graph::Kind::kMessage: return OwnedElement::Of(kit.MakeMessage(row.id));
    case graph::Kind::kMainForm:
    case graph::Kind::kLabel:
    case graph::Kind::kPicture: return kit.MakeVisual(row);
  }
  return {};
}

template <class Kit>
THI_Event* CalculatorGraph<Kit>::SourceOf(const graph::LinkRow& row) const {
  using graph::Event;
  switch (row.event.event) {
    case Event::onClick: return &ButtonAt(row.source).onClick;
    case Event::onChange: return &EditAt(row.source).onChange;
    case Event::resultEvent: return &MathAt(row.source).resultEvent;
    case Event::firstOperandLink: return &MathAt(row.source).firstOperandLink;
    case Event::secondOperandLink: return &MathAt(row.source).secondOperandLink;
    case Event::outputs: {
      THIHub& hub = HubAt(row.source);
      assert(row.event.output < hub.outputs.size());
      return &hub.outputs[row.event.output];
    }
  }
  assert(false && "a link row names no event");
  return nullptr;
}

template <class Kit>
THI_Event CalculatorGraph<Kit>::TargetOf(const graph::LinkRow& row) const {
  using graph::Point;
  switch (row.point) {
    case Point::fanOutPoint: return MakeLink<&THIHub::fanOutPoint>(&HubAt(row.target), row.index);
    case Point::computePoint: return MakeLink<&THIMath::computePoint>(&MathAt(row.target), row.index);
    case Point::resultPoint: return MakeLink<&THIMath::resultPoint>(&MathAt(row.target), row.index);
    case Point::textPoint: return MakeLink<&Edit::textPoint>(&EditAt(row.target), row.index);
    case Point::setTextPoint: return MakeLink<&Edit::setTextPoint>(&EditAt(row.target), row.index);
    case Point::setTextSilentPoint:
      return MakeLink<&Edit::setTextSilentPoint>(&EditAt(row.target), row.index);
    case Point::showPoint: return MakeLink<&Message::showPoint>(&MessageAt(row.target), row.index);
  }
  assert(false && "a link row names no point");
  return {};
}

}  // namespace lobrin
