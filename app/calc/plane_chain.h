#pragma once
// One plane of the calculator's graph, from the beamwidth to the distance in
// metres, for what the window does not show: the distance in wavelengths, and
// the distance at a beamwidth the window cannot be given as a text (a typed
// beamwidth plus or minus a tolerance).
//
// The chain is made of the graph's own arithmetic elements, set from the
// H-plane's rows of graph::kMaths (the E-plane's are the same) and linked as
// graph::kLinks links them: half angle, sine in degrees, doubling, and the
// distance, which divides the wavelength by the doubled sine. One division
// more, with 1 in place of the wavelength, gives the distance in wavelengths.
// So every step is the window's: extended precision, the x87 sine, and a
// double kept after each element.

#include <string>

#include "elements/data.h"
#include "elements/math.h"

namespace lobrin::calc {

class PlaneChain {
 public:
  // Makes and links the elements; link traffic is left as it is.
  PlaneChain();
  PlaneChain(const PlaneChain&) = delete;
  PlaneChain& operator=(const PlaneChain&) = delete;

  // What the frequency box's change does: the wavelength element computes
  // 300 / `frequency`, the text read as typed.
  void SetFrequency(const std::string& frequency);

  struct Distance {
    bool shown = false;          // false where the plane's metres box would stay empty
    double metres = 0.0;         // the value the metres box would show
    bool inWavelengths = false;  // false where the division by the doubled sine fails
    double wavelengths = 0.0;    // 1 / (2 sin(B/2))
  };

  // What a click on Calculate computes for this plane with `beamwidth` in the
  // beamwidth box: a text as typed, or a real. Every element starts as made.
  Distance Compute(const TData& beamwidth);

 private:
  // The beamwidth box's text point: answers the beamwidth being computed.
  struct BeamwidthBox {
    TData beamwidth;  // owned
    void textPoint(TData& value, std::uint16_t index);
  };

  BeamwidthBox box_;
  THIMath halfAngle_;
  THIMath sine_;
  THIMath doubledSine_;
  THIMath wavelength_;
  THIMath distance_;
  THIMath ratio_;  // 1 / doubled sine: the distance in wavelengths
};

}  // namespace lobrin::calc
