#pragma once
// What a stack of identical Yagis gives, from one antenna's two beamwidths:
// the stacking gain over one antenna, the stack's beamwidth and its strongest
// lobe in each plane, at any spacing. A model, not a simulation: no coupling
// between the antennas, no feed loss, free space, and one antenna's pattern
// taken as a main lobe over a flat level.
//
// One antenna's power pattern, boresight along +z, the E-plane the x-z plane,
// the H-plane the y-z plane, theta from boresight, phi around it from the
// E-plane:
//   in front (theta < 90 deg): P = max(cos(theta)^n(phi), f); behind: P = f
//   n(phi) = nE cos^2(phi) + nH sin^2(phi),  nX = ln(1/2) / ln(cos(BX / 2))
//   f = 10^(-S / 10) for a sidelobe level S dB below the peak, 0 without one.
// The stack: NE antennas along x at spacing dE times NH along y at spacing dH,
// centred, fed equally and in phase. Its pattern is P |AF|^2 with
// AF = sum exp(j 2 pi (x ux + y uy) / lambda), and its stacking gain
// G = N^2 integral(P) / integral(P |AF|^2) over the sphere, N = NE NH.
//
// Pure functions of their inputs: no I/O, no globals, no Win32, no x87.
// Inputs are checked by Check(); the other functions assume checked inputs.
//
// How the integrals are taken. P is split into the flat level and a lobe,
// P = f + L with L = max(cos^n - f, 0) in front. The level's share is exact:
// integral(|AF|^2) over the sphere = 4 pi sum sinc(k |r_m - r_m'|) over each
// pair of antennas. The lobe's share is a product rule over its support
// (theta below min(arccos f^(1/n), where cos^n falls to 1e-17)):
// - around boresight (phi), the midpoint rule on a quarter turn: the
//   integrand is even in ux and uy, so it is smooth and periodic in phi, and
//   the rule converges faster than any power of the node count;
// - from boresight (theta), Boost.Math's 20-point Gauss-Legendre rule on
//   panels, one panel per three lobes of the array factor crossed plus two:
//   a panel then holds a polynomial of degree 39 to about the double's
//   precision. Where n is small (beamwidths above about 120 deg) cos^n has a
//   branch point at 90 deg, close to or at the end of the support; the last
//   panel is then cut geometrically towards that end, which keeps the rule's
//   error at the double's level instead of a power of the panel count.
// Node counts grow with the number of lobes of the array factor over the
// support and with how unequal the two beamwidths are. Measured by doubling
// the nodes (tests/stack/stack_convergence_test.cpp) over beamwidths 3 to 180
// deg, spacings 0.05 to 20 wavelengths, 1 to 8 antennas per plane, with and
// without a level: the gains change by at most 1.2e-5 dB, far inside the
// 0.005 dB that is promised. The worst are beams of very unequal widths with
// a high level (3 by 180 deg, 3 dB): there f^(1/n(phi)) is smooth but not
// analytic where n(phi) nears 0, and the midpoint rule converges more slowly;
// elsewhere the change is far smaller. The cuts are sampled at steps well below one
// lobe of the array factor; a beamwidth is found by bisection to 1e-9 deg, a
// lobe's peak by golden section to 1e-6 deg.

#include <optional>
#include <string>
#include <vector>

namespace lobrin::stack {

inline constexpr int kMinBays = 1;
inline constexpr int kMaxBays = 8;
inline constexpr double kMaxSpacingLambda = 100.0;
inline constexpr double kMaxSidelobeDb = 60.0;

// One antenna.
struct Antenna {
  double beamwidthEDeg = 0.0;        // -3 dB beamwidth in the E-plane, above 0, at most 180
  double beamwidthHDeg = 0.0;        // the same in the H-plane
  std::optional<double> sidelobeDb;  // S, 0 to 60 dB below the peak; none: f = 0
};

// The stack of identical antennas.
struct Stack {
  Antenna antenna;
  int baysE = 2;                // antennas side by side in the E-plane (along x), 1 to 8
  int baysH = 2;                // antennas in the H-plane (along y), 1 to 8
  double spacingELambda = 1.0;  // dE / lambda, above 0, at most 100
  double spacingHLambda = 1.0;  // dH / lambda, above 0, at most 100
};

// The strongest lobe outside the main lobe of one plane's cut.
struct Lobe {
  double levelDb = 0.0;   // relative to the stack's peak: 0 or below
  double angleDeg = 0.0;  // from boresight, 0 to 180
};

// One plane's cut of the stack's pattern (theta all round).
struct PlaneFigures {
  double beamwidthDeg = 0.0;          // -3 dB width of the main lobe; 360 where the cut never falls 3 dB
  std::optional<Lobe> strongestLobe;  // none where nothing outside the main lobe is above 0
};

struct StackFigures {
  double gainEDb = 0.0;  // the E-plane's line alone (NE x 1) over one antenna
  double gainHDb = 0.0;  // the H-plane's line alone (1 x NH) over one antenna
  double gainDb = 0.0;   // the whole stack (NE x NH) over one antenna
  PlaneFigures e;        // the cut phi = 0 and 180 deg
  PlaneFigures h;        // the cut phi = 90 and 270 deg
};

enum class Plane { kE, kH };

// How fine the quadrature is: 1 is the default; 2 doubles the nodes in each
// direction, which is how the error is shown. Below 1 counts as 1.
struct Accuracy {
  int refinement = 1;
};

// Which input is wrong and why, in words fit for a user: "beamwidth above 0
// and at most 180". None when everything may be computed.
struct Problem {
  std::string
      field;  // "beamwidth-e", "beamwidth-h", "bays-e", "bays-h", "spacing-e", "spacing-h", "sidelobes"
  std::string reason;
};
std::optional<Problem> Check(const Stack& stack);

// The wavelength in metres at `frequencyMHz`: 300 / F.
double WavelengthMetres(double frequencyMHz);

// One antenna's directivity over an isotropic antenna, in dBi: 4 pi /
// integral(P). For equal beamwidths and no level, 10 log10(2 (n + 1)).
double DirectivityDbi(const Antenna& antenna, Accuracy accuracy = {});

// Stacking gain of `stack` over one antenna, in dB.
double StackingGainDb(const Stack& stack, Accuracy accuracy = {});

// Every figure of `stack`.
StackFigures Evaluate(const Stack& stack, Accuracy accuracy = {});

// One row of a sweep over the spacing: each plane's line alone (NE x 1 and
// 1 x NH) at `spacingLambda` in both planes.
struct SweepRow {
  double spacingLambda = 0.0;
  double gainEDb = 0.0;
  std::optional<double> lobeEDb;
  double gainHDb = 0.0;
  std::optional<double> lobeHDb;
};
// Rows for FROM, FROM + STEP, ... up to TO (TO included within STEP / 1e9);
// none when STEP is not above 0 or TO is below FROM. The spacings of `stack`
// are not used. The figures are those of StackingGainDb and Evaluate.
std::vector<SweepRow> Sweep(const Stack& stack, double fromLambda, double toLambda, double stepLambda);

// A plane's cut in dB relative to the peak, clamped at `floorDb`, at `points`
// angles evenly from -180 to 180 deg, both ends included (negative angles are
// phi = 180 or 270). With `single`, one antenna's pattern instead of the
// stack's. Fewer than 2 points give none.
struct CutPoint {
  double angleDeg = 0.0;
  double levelDb = 0.0;
};
std::vector<CutPoint> PatternCut(const Stack& stack, Plane plane, bool single, int points, double floorDb);

}  // namespace lobrin::stack
