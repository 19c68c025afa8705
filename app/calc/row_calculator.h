#pragma once
// The result texts of one row of lobrin-calc: the four boxes as the window
// shows them after one Calculate on a fresh start, then, on request, the
// distances in wavelengths and the tolerance band of each plane.

#include <string>
#include <vector>

#include "app/calc/plane_chain.h"
#include "app/headless_calculator.h"

namespace lobrin::calc {

struct ExtraColumns {
  bool wavelengths = false;
  bool tolerance = false;
  double toleranceDegrees = 0.0;  // finite, at least 0
};

class RowCalculator {
 public:
  explicit RowCalculator(const ExtraColumns& extra);

  // Writes the result texts for the three texts into cells[first], cells[first + 1], ...
  // in column order (see columns.h); `cells` already holds that many. An empty text
  // is an empty box.
  void Calculate(const std::string& hPlaneBeamwidth, const std::string& ePlaneBeamwidth,
                 const std::string& frequency, std::vector<std::string>& cells, std::size_t first);

  // How many result texts a row has.
  std::size_t ResultCount() const;

 private:
  // D/lambda of one plane: empty where its metres box is.
  void WavelengthsText(const std::string& beamwidth, const std::string& metresShown, std::string& text);
  // The metres at the beamwidth read from `beamwidth` plus `shift` degrees: empty
  // where that beamwidth is not above 0 or not below 360, or the box would be.
  void ToleranceEndText(const std::string& beamwidth, double shift, std::string& text);

  ExtraColumns extra_;
  HeadlessCalculator calculator_;  // reset for every row
  DistanceTexts shown_;
  PlaneChain chain_;
};

}  // namespace lobrin::calc
