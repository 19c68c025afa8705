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

DistanceTexts CalculateOnce(const std::string& hPlaneBeamwidth, const std::string& ePlaneBeamwidth,
                            const std::string& frequency) {
  HeadlessCalculator calculator;
  TrafficOn traffic;
  calculator.Box(graph::FrequencyEdit).Paste(frequency);
  calculator.Box(graph::HPlaneBwEdit).Paste(hPlaneBeamwidth);
  calculator.Box(graph::EPlaneBwEdit).Paste(ePlaneBeamwidth);
  calculator.Click(graph::CalculateButton);
  return {calculator.Box(graph::HMetersEdit).text(), calculator.Box(graph::HFeetEdit).text(),
          calculator.Box(graph::EMetersEdit).text(), calculator.Box(graph::EFeetEdit).text()};
}

}  // namespace lobrin
