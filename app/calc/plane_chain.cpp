#include "app/calc/plane_chain.h"

#include <cassert>

#include "app/calculator_graph.h"
#include "app/headless_calculator.h"

namespace lobrin::calc {

namespace {

const graph::MathRow& MathRowOf(graph::Id id) {
  for (const graph::MathRow& row : graph::kMaths) {
    if (row.id == id) {
      return row;
    }
  }
  assert(false && "an arithmetic element without a row");
  return graph::kMaths[0];
}

// The element back in the state its settings left it in.
void Restart(THIMath& math) { math.SetInitialResult(math.initialResult); }

}  // namespace

void PlaneChain::BeamwidthBox::textPoint(TData& value, std::uint16_t) { value = beamwidth; }

PlaneChain::PlaneChain() {
  graph::ApplySettings(halfAngle_, MathRowOf(graph::HHalfAngleMath));
  graph::ApplySettings(sine_, MathRowOf(graph::HSineMath));
  graph::ApplySettings(doubledSine_, MathRowOf(graph::HDoubleSineMath));
  graph::ApplySettings(wavelength_, MathRowOf(graph::HWavelengthMath));
  graph::ApplySettings(distance_, MathRowOf(graph::HDistanceMath));
  graph::MathRow ratioRow = MathRowOf(graph::HDistanceMath);
  ratioRow.firstDefault = 1.0;  // read in place of the unlinked wavelength
  graph::ApplySettings(ratio_, ratioRow);

  // The links of the H-plane's rows in graph::kLinks, between these elements.
  halfAngle_.firstOperandLink = MakeLink<&BeamwidthBox::textPoint>(&box_);
  halfAngle_.resultEvent = MakeLink<&THIMath::computePoint>(&sine_);
  sine_.resultEvent = MakeLink<&THIMath::computePoint>(&doubledSine_);
  distance_.firstOperandLink = MakeLink<&THIMath::resultPoint>(&wavelength_);
  distance_.secondOperandLink = MakeLink<&THIMath::resultPoint>(&doubledSine_);
  ratio_.secondOperandLink = MakeLink<&THIMath::resultPoint>(&doubledSine_);
}

void PlaneChain::SetFrequency(const std::string& frequency) {
  Restart(wavelength_);
  LinkTrafficOn traffic;
  TData change;
  SetText(change, frequency);
  wavelength_.computePoint(change, 0);
}

PlaneChain::Distance PlaneChain::Compute(const TData& beamwidth) {
  for (THIMath* math : {&halfAngle_, &sine_, &doubledSine_, &distance_, &ratio_}) {
    Restart(*math);
  }
  box_.beamwidth = beamwidth;
  LinkTrafficOn traffic;
  // What the Calculate button sends, to each element as the calculate hub's outputs reach them.
  TData click;
  SetReal(click, 0.0);
  for (THIMath* math : {&halfAngle_, &distance_, &ratio_}) {
    TData copy = click;
    math->computePoint(copy, 0);
  }
  Distance distance;
  distance.shown = !distance_.errorFlag;
  distance.metres = distance_.result;
  distance.inWavelengths = !ratio_.errorFlag;
  distance.wavelengths = ratio_.result;
  return distance;
}

}  // namespace lobrin::calc
