#include "app/headless_calculator.h"

namespace lobrin {

THIPushButton* HeadlessKit::MakeButton(graph::Id, const TData& clickData) {
  auto* button = new THIPushButton();
  button->clickData = clickData;
  return button;
}

HeadlessCalculator::HeadlessCalculator() : graph_(kit_) {}

bool DistanceTexts::operator==(const DistanceTexts& other) const {
  return hMetres == other.hMetres && hFeet == other.hFeet && eMetres == other.eMetres && eFeet == other.eFeet;
}

namespace {

// Link traffic on for one scope, then back to what it was.
class TrafficOn {
 public:
  TrafficOn() : wasOn_(LinksEnabled()) { EnableLinks(); }
  ~TrafficOn() {
    if (!wasOn_) {
      DisableLinks();
    }
  }
  TrafficOn(const TrafficOn&) = delete;
  TrafficOn& operator=(const TrafficOn&) = delete;

 private:
  bool wasOn_;
};

}  // namespace

void HeadlessCalculator::Reset() {
  for (const graph::ElementRow& row : graph::kElements) {
    switch (row.kind) {
      case graph::Kind::kEdit: graph_.EditAt(row.id).Reset(); break;
      case graph::Kind::kMath: {
        THIMath& math = graph_.MathAt(row.id);
        math.SetInitialResult(math.initialResult);
        break;
      }
      case graph::Kind::kMessage: graph_.MessageAt(row.id).Reset(); break;
      case graph::Kind::kButton:
      case graph::Kind::kHub:
      case graph::Kind::kMainForm:
      case graph::Kind::kLabel:
      case graph::Kind::kPicture: break;
    }
  }
}

void HeadlessCalculator::Calculate(const std::string& hPlaneBeamwidth, const std::string& ePlaneBeamwidth,
                                   const std::string& frequency, DistanceTexts& shown) {
  Reset();
  TrafficOn traffic;
  Box(graph::FrequencyEdit).Paste(frequency);
  Box(graph::HPlaneBwEdit).Paste(hPlaneBeamwidth);
  Box(graph::EPlaneBwEdit).Paste(ePlaneBeamwidth);
  Click(graph::CalculateButton);
  shown.hMetres = Box(graph::HMetersEdit).text();
  shown.hFeet = Box(graph::HFeetEdit).text();
  shown.eMetres = Box(graph::EMetersEdit).text();
  shown.eFeet = Box(graph::EFeetEdit).text();
}

DistanceTexts CalculateOnce(const std::string& hPlaneBeamwidth, const std::string& ePlaneBeamwidth,
                            const std::string& frequency) {
  HeadlessCalculator calculator;
  DistanceTexts shown;
  calculator.Calculate(hPlaneBeamwidth, ePlaneBeamwidth, frequency, shown);
  return shown;
}

}  // namespace lobrin
