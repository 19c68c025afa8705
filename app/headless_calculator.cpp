#include "app/headless_calculator.h"

namespace lobrin {

THIPushButton* HeadlessKit::MakeButton(graph::Id, const TData& clickData) {
  auto* button = new THIPushButton();
  button->clickData = clickData;
  return button;
}

HeadlessCalculator::HeadlessCalculator() : graph_(kit_) {
  for (const graph::ElementRow& row : graph::kElements) {
    switch (row.kind) {
      case graph::Kind::kEdit: boxes_.push_back(&graph_.EditAt(row.id)); break;
      case graph::Kind::kMath: maths_.push_back(&graph_.MathAt(row.id)); break;
      case graph::Kind::kMessage: messages_.push_back(&graph_.MessageAt(row.id)); break;
      case graph::Kind::kButton:
      case graph::Kind::kHub:
      case graph::Kind::kMainForm:
      case graph::Kind::kLabel:
      case graph::Kind::kPicture: break;
    }
  }
}

bool DistanceTexts::operator==(const DistanceTexts& other) const {
  return hMetres == other.hMetres && hFeet == other.hFeet && eMetres == other.eMetres && eFeet == other.eFeet;
}

LinkTrafficOn::LinkTrafficOn() : wasOn_(LinksEnabled()) { EnableLinks(); }

LinkTrafficOn::~LinkTrafficOn() {
  if (!wasOn_) {
    DisableLinks();
  }
}

void HeadlessCalculator::Reset() {
  for (THITextBox* box : boxes_) {
    box->Reset();
  }
  for (THIMath* math : maths_) {
    math->SetInitialResult(math->initialResult);
  }
  for (THISilentMessage* message : messages_) {
    message->Reset();
  }
}

void HeadlessCalculator::Calculate(const std::string& hPlaneBeamwidth, const std::string& ePlaneBeamwidth,
                                   const std::string& frequency, DistanceTexts& shown) {
  Reset();
  LinkTrafficOn traffic;
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
