#include "app/calc/row_calculator.h"

#include "toolkit/number_text.h"

namespace lobrin::calc {

namespace {

constexpr std::size_t kBoxCount = 4;
constexpr std::size_t kWavelengthCount = 2;
constexpr std::size_t kToleranceCount = 4;
constexpr double kFullCircle = 360.0;

}  // namespace

RowCalculator::RowCalculator(const ExtraColumns& extra) : extra_(extra) {}

std::size_t RowCalculator::ResultCount() const {
  return kBoxCount + (extra_.wavelengths ? kWavelengthCount : 0) + (extra_.tolerance ? kToleranceCount : 0);
}

void RowCalculator::Calculate(const std::string& hPlaneBeamwidth, const std::string& ePlaneBeamwidth,
                              const std::string& frequency, std::vector<std::string>& cells,
                              std::size_t first) {
  calculator_.Calculate(hPlaneBeamwidth, ePlaneBeamwidth, frequency, shown_);
  std::size_t at = first;
  // Swapped, not copied: each string's memory serves again next row.
  for (std::string* text : {&shown_.hMetres, &shown_.hFeet, &shown_.eMetres, &shown_.eFeet}) {
    cells[at++].swap(*text);
  }
  if (!extra_.wavelengths && !extra_.tolerance) {
    return;
  }
  chain_.SetFrequency(frequency);
  if (extra_.wavelengths) {
    const std::string& hMetres = cells[first];
    const std::string& eMetres = cells[first + 2];
    WavelengthsText(hPlaneBeamwidth, hMetres, cells[at++]);
    WavelengthsText(ePlaneBeamwidth, eMetres, cells[at++]);
  }
  if (extra_.tolerance) {
    for (const std::string* beamwidth : {&hPlaneBeamwidth, &ePlaneBeamwidth}) {
      ToleranceEndText(*beamwidth, extra_.toleranceDegrees, cells[at++]);
      ToleranceEndText(*beamwidth, -extra_.toleranceDegrees, cells[at++]);
    }
  }
}

void RowCalculator::WavelengthsText(const std::string& beamwidth, const std::string& metresShown,
                                    std::string& text) {
  text.clear();
  if (metresShown.empty()) {
    return;
  }
  TData typed;
  SetText(typed, beamwidth);
  const PlaneChain::Distance distance = chain_.Compute(typed);
  if (distance.inWavelengths) {
    RealToText(distance.wavelengths, text);
  }
}

void RowCalculator::ToleranceEndText(const std::string& beamwidth, double shift, std::string& text) {
  text.clear();
  // The beamwidth as the half angle element reads the box's text, then the
  // nearest double to the shifted value.
  const double end = TextToReal(beamwidth) + shift;
  if (!(end > 0.0 && end < kFullCircle)) {
    return;
  }
  TData value;
  SetReal(value, end);
  const PlaneChain::Distance distance = chain_.Compute(value);
  if (distance.shown) {
    RealToText(distance.metres, text);
  }
}

}  // namespace lobrin::calc
