#include "stack/stack_model.h"

#include <algorithm>
#include <boost/math/quadrature/gauss.hpp>
#include <cmath>
#include <cstddef>

namespace lobrin::stack {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kDegree = kPi / 180.0;

// Where cos^n has fallen so far below the peak that the rest of the lobe adds
// nothing a double can hold to the integrals.
constexpr double kTailLevel = 1e-17;
// Below this exponent the branch point of cos^n at 90 deg is felt by the rule
// on the last panel, which is then cut geometrically towards it.
constexpr double kGradedExponent = 4.0;
constexpr double kGradingRatio = 0.15;
constexpr double kSmallestGradedPanel = 1e-15;

using Rule = boost::math::quadrature::gauss<double, 20>;

// One antenna's pattern: the exponents of each plane and the flat level.
struct Pattern {
  double nE = 0.0;
  double nH = 0.0;
  double f = 0.0;
};

double Exponent(double beamwidthDeg) {
  if (beamwidthDeg >= 180.0) {
    return 0.0;  // cos(90 deg) = 0: the whole front is at the peak
  }
  return std::log(0.5) / std::log(std::cos(beamwidthDeg * kDegree / 2.0));
}

Pattern PatternOf(const Antenna& antenna) {
  Pattern p;
  p.nE = Exponent(antenna.beamwidthEDeg);
  p.nH = Exponent(antenna.beamwidthHDeg);
  p.f = antenna.sidelobeDb ? std::pow(10.0, -*antenna.sidelobeDb / 10.0) : 0.0;
  return p;
}

// cos(theta)^n, with cos^0 = 1 in front.
double CosPower(double c, double n) { return n == 0.0 ? 1.0 : std::pow(c, n); }

// theta where cos^n falls to `level` (below 1), 90 deg when it never does.
double AngleOfLevel(double n, double level) {
  if (n == 0.0 || level <= 0.0) {
    return kPi / 2.0;
  }
  return std::acos(std::exp(std::log(level) / n));
}

double Sinc(double x) { return x == 0.0 ? 1.0 : std::sin(x) / x; }

// |AF|^2 of `bays` antennas in a line, from the cosine `c1` of the phase step
// a between neighbours: bays + 2 sum (bays - p) cos(p a), cos(p a) by
// Chebyshev's recurrence.
double LineFactorOfCos(int bays, double c1) {
  double previous = 1.0;
  double current = c1;
  double sum = static_cast<double>(bays);
  for (int p = 1; p < bays; ++p) {
    sum += 2.0 * (bays - p) * current;
    const double next = 2.0 * c1 * current - previous;
    previous = current;
    current = next;
  }
  return sum;
}

double LineFactor(int bays, double a) { return bays == 1 ? 1.0 : LineFactorOfCos(bays, std::cos(a)); }

// integral(|AF|^2) over the sphere / 4 pi for a grid of NE x NH antennas:
// the sum of sinc(k distance) over every pair.
double IsotropicSum(int baysE, double dE, int baysH, double dH) {
  double sum = 0.0;
  for (int p = -(baysE - 1); p <= baysE - 1; ++p) {
    for (int q = -(baysH - 1); q <= baysH - 1; ++q) {
      const double x = p * dE;
      const double y = q * dH;
      sum += (baysE - std::abs(p)) * (baysH - std::abs(q)) * Sinc(kTwoPi * std::sqrt(x * x + y * y));
    }
  }
  return sum;
}

// The nodes of the lobe's share: each carries its weight times
// (cos^n - f) sin(theta), four quarters of phi in one, and the direction
// cosines ux, uy. The sum of the weights is integral(L).
struct LobeNodes {
  std::vector<double> weight;
  std::vector<double> ux;
  std::vector<double> uy;
  double integral = 0.0;
};

// Calls `add(theta, weight)` for the rule on the panel [a, b].
template <class Add>
void Panel(double a, double b, Add&& add) {
  const auto& x = Rule::abscissa();
  const auto& w = Rule::weights();
  const double mid = 0.5 * (a + b);
  const double half = 0.5 * (b - a);
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (x[i] == 0.0) {
      add(mid, half * w[i]);
      continue;
    }
    add(mid - half * x[i], half * w[i]);
    add(mid + half * x[i], half * w[i]);
  }
}

// Nodes fine enough for array factors of up to `lobesE` and `lobesH`
// wavelengths of aperture, (N - 1) d, in each plane.
LobeNodes MakeLobeNodes(const Pattern& pattern, double lobesE, double lobesH, int refinement) {
  LobeNodes nodes;
  if (pattern.f >= 1.0) {
    return nodes;  // the level is the whole pattern
  }
  // Around boresight: the array factor's phase reaches 2 pi (lobesE + lobesH)
  // and the midpoint rule on a full turn needs a few more nodes than that
  // phase; the quarter takes a quarter of them. Unequal beamwidths make the
  // integrand peak at the narrower plane, with poles at a distance
  // asinh(sqrt((nMin + 1) / (nMax - nMin))) from the real axis.
  const double phase = kTwoPi * (lobesE + lobesH);
  double phiNodes = 8.0 + 0.3 * phase + 2.0 * std::cbrt(phase);
  const double nMin = std::min(pattern.nE, pattern.nH);
  const double nMax = std::max(pattern.nE, pattern.nH);
  if (nMax > nMin) {
    phiNodes += 9.0 / std::asinh(std::sqrt((nMin + 1.0) / (nMax - nMin)));
  }
  const int phiCount = refinement * static_cast<int>(std::ceil(phiNodes));
  const double phiStep = (kPi / 2.0) / phiCount;

  std::vector<double> bounds;
  for (int i = 0; i < phiCount; ++i) {
    const double phi = (i + 0.5) * phiStep;
    const double cosPhi = std::cos(phi);
    const double sinPhi = std::sin(phi);
    const double n = pattern.nE * cosPhi * cosPhi + pattern.nH * sinPhi * sinPhi;
    const double thetaMax = std::min(AngleOfLevel(n, pattern.f), AngleOfLevel(n, kTailLevel));
    if (!(thetaMax > 0.0)) {
      continue;
    }
    const double lobes = std::sin(thetaMax) * (lobesE * cosPhi + lobesH * sinPhi);
    const int uniform = refinement * (2 + static_cast<int>(std::ceil(lobes / 3.0)));
    bounds.clear();
    for (int k = 0; k <= uniform; ++k) {
      bounds.push_back(thetaMax * k / uniform);
    }
    if (n < kGradedExponent) {
      const double lastStart = bounds[bounds.size() - 2];
      const double gap = std::max(kPi / 2.0 - thetaMax, kSmallestGradedPanel);
      bounds.pop_back();
      for (double length = (thetaMax - lastStart) * kGradingRatio; length > gap; length *= kGradingRatio) {
        bounds.push_back(thetaMax - length);
      }
      bounds.push_back(thetaMax);
    }
    const double phiWeight = 4.0 * phiStep;
    for (std::size_t k = 0; k + 1 < bounds.size(); ++k) {
      Panel(bounds[k], bounds[k + 1], [&](double theta, double w) {
        const double sinTheta = std::sin(theta);
        const double lobe = CosPower(std::cos(theta), n) - pattern.f;
        if (lobe <= 0.0) {
          return;
        }
        const double weight = phiWeight * w * lobe * sinTheta;
        nodes.weight.push_back(weight);
        nodes.ux.push_back(sinTheta * cosPhi);
        nodes.uy.push_back(sinTheta * sinPhi);
        nodes.integral += weight;
      });
    }
  }
  return nodes;
}

// N^2 integral(P) / integral(P |AF|^2) in dB, from the two shares.
double GainDb(const Pattern& pattern, double lobeIntegral, int bays, double isotropicSum, double lobeSum) {
  const double power = 4.0 * kPi * pattern.f + lobeIntegral;
  const double stacked = 4.0 * kPi * pattern.f * isotropicSum + lobeSum;
  return 10.0 * std::log10(static_cast<double>(bays) * bays * power / stacked);
}

// The three gains of a grid from one pass over the nodes.
struct Gains {
  double lineE = 0.0;
  double lineH = 0.0;
  double whole = 0.0;
};

Gains StackGains(const Pattern& pattern, const LobeNodes& nodes, const Stack& stack) {
  double sumE = 0.0;
  double sumH = 0.0;
  double sumWhole = 0.0;
  const double stepE = kTwoPi * stack.spacingELambda;
  const double stepH = kTwoPi * stack.spacingHLambda;
  for (std::size_t i = 0; i < nodes.weight.size(); ++i) {
    const double e = LineFactor(stack.baysE, stepE * nodes.ux[i]);
    const double h = LineFactor(stack.baysH, stepH * nodes.uy[i]);
    sumE += nodes.weight[i] * e;
    sumH += nodes.weight[i] * h;
    sumWhole += nodes.weight[i] * e * h;
  }
  Gains gains;
  gains.lineE = GainDb(pattern, nodes.integral, stack.baysE,
                       IsotropicSum(stack.baysE, stack.spacingELambda, 1, 0.0), sumE);
  gains.lineH = GainDb(pattern, nodes.integral, stack.baysH,
                       IsotropicSum(1, 0.0, stack.baysH, stack.spacingHLambda), sumH);
  gains.whole =
      GainDb(pattern, nodes.integral, stack.baysE * stack.baysH,
             IsotropicSum(stack.baysE, stack.spacingELambda, stack.baysH, stack.spacingHLambda), sumWhole);
  return gains;
}

LobeNodes NodesFor(const Pattern& pattern, const Stack& stack, int refinement) {
  return MakeLobeNodes(pattern, (stack.baysE - 1) * stack.spacingELambda,
                       (stack.baysH - 1) * stack.spacingHLambda, refinement);
}

// One plane's cut: the line of `bays` antennas at `spacing` in that plane,
// and one antenna's exponent there. Level(theta) is relative to boresight.
struct Cut {
  double n = 0.0;
  double f = 0.0;
  int bays = 1;
  double spacing = 0.0;

  double Single(double theta) const {
    if (theta < kPi / 2.0) {
      return std::max(CosPower(std::cos(theta), n), f);
    }
    return f;
  }
  double Level(double theta) const {
    if (bays == 1) {
      return Single(theta);
    }
    return Single(theta) * LineFactor(bays, kTwoPi * spacing * std::sin(theta)) / (bays * bays);
  }
};

Cut CutOf(const Pattern& pattern, const Stack& stack, Plane plane) {
  Cut cut;
  cut.f = pattern.f;
  if (plane == Plane::kE) {
    cut.n = pattern.nE;
    cut.bays = stack.baysE;
    cut.spacing = stack.spacingELambda;
  } else {
    cut.n = pattern.nH;
    cut.bays = stack.baysH;
    cut.spacing = stack.spacingHLambda;
  }
  return cut;
}

// Samples from 0 to 180 deg: a sixteenth of the narrowest lobe of the array
// factor (1 / (N d) in sin theta), a fortieth of the antenna's beamwidth, and
// at most a degree.
int SampleCount(const Cut& cut, double beamwidthDeg) {
  double step = std::min(kDegree, beamwidthDeg * kDegree / 40.0);
  if (cut.bays > 1) {
    step = std::min(step, 1.0 / (16.0 * cut.bays * cut.spacing));
  }
  return std::max(360, static_cast<int>(std::ceil(kPi / step)));
}

constexpr double kBeamwidthTolerance = 1e-9 * kDegree;
constexpr double kLobeAngleTolerance = 1e-6 * kDegree;

// The first angle in (a, b] where the level is at most `level`, given that it
// is above at a and not above at b.
double FirstAtMost(const Cut& cut, double a, double b, double level, double tolerance) {
  while (b - a > tolerance) {
    const double mid = 0.5 * (a + b);
    if (cut.Level(mid) <= level) {
      b = mid;
    } else {
      a = mid;
    }
  }
  return b;
}

// The maximum of the level on [a, b] by golden section: its angle and level.
struct Peak {
  double angle = 0.0;
  double level = 0.0;
};
Peak GoldenMaximum(const Cut& cut, double a, double b) {
  const double ratio = 0.5 * (std::sqrt(5.0) - 1.0);
  double x1 = b - ratio * (b - a);
  double x2 = a + ratio * (b - a);
  double f1 = cut.Level(x1);
  double f2 = cut.Level(x2);
  while (b - a > kLobeAngleTolerance) {
    if (f1 >= f2) {
      b = x2;
      x2 = x1;
      f2 = f1;
      x1 = b - ratio * (b - a);
      f1 = cut.Level(x1);
    } else {
      a = x1;
      x1 = x2;
      f1 = f2;
      x2 = a + ratio * (b - a);
      f2 = cut.Level(x2);
    }
  }
  Peak best{a, cut.Level(a)};
  for (const double x : {x1, x2, b}) {
    const double level = cut.Level(x);
    if (level > best.level) {
      best = {x, level};
    }
  }
  return best;
}

// A cut sampled from 0 to 180 deg.
struct Samples {
  double step = 0.0;
  int count = 0;  // the last index: 180 deg
  std::vector<double> level;
};
Samples SampleCut(const Cut& cut, double beamwidthDeg) {
  Samples samples;
  samples.count = SampleCount(cut, beamwidthDeg);
  samples.step = kPi / samples.count;
  samples.level.resize(static_cast<std::size_t>(samples.count) + 1);
  for (int k = 0; k <= samples.count; ++k) {
    samples.level[k] = cut.Level(k * samples.step);
  }
  return samples;
}

double Beamwidth(const Cut& cut, const Samples& samples) {
  for (int k = 1; k <= samples.count; ++k) {
    if (samples.level[k] <= 0.5) {
      return 2.0 * FirstAtMost(cut, (k - 1) * samples.step, k * samples.step, 0.5, kBeamwidthTolerance) /
             kDegree;
    }
  }
  return 360.0;
}

std::optional<Lobe> StrongestLobe(const Cut& cut, const Samples& samples) {
  const std::vector<double>& level = samples.level;
  const int count = samples.count;
  const double step = samples.step;
  // The main lobe ends at the first sample below the peak that the next one
  // does not fall below: a minimum, or where a flat level begins. A flat top
  // at the peak (a beam of 180 deg) belongs to the main lobe.
  int end = 1;
  while (end < count && (level[end] >= level[0] || level[end + 1] < level[end])) {
    ++end;
  }
  if (end >= count) {
    return std::nullopt;
  }
  int best = end;
  for (int k = end + 1; k <= count; ++k) {
    if (level[k] > level[best]) {
      best = k;
    }
  }
  if (!(level[best] > 0.0)) {
    return std::nullopt;
  }
  Peak peak;
  if (best == end && level[end + 1] == level[end]) {
    // A flat level: the lobe is the plateau, from where it begins.
    peak.level = level[end];
    peak.angle = FirstAtMost(cut, (end - 1) * step, end * step, level[end], kLobeAngleTolerance);
  } else {
    // Refine every sampled peak within 3 dB of the best sample: sampling may
    // rank two lobes of nearly equal height the wrong way round.
    for (int k = end; k <= count; ++k) {
      const bool isPeak = (k == count || level[k] >= level[k + 1]) && (k == end || level[k] >= level[k - 1]);
      if (!isPeak || level[k] < 0.5 * level[best]) {
        continue;
      }
      const double a = std::max(end, k - 1) * step;
      const double b = std::min(count, k + 1) * step;
      const Peak candidate = GoldenMaximum(cut, a, b);
      if (candidate.level > peak.level) {
        peak = candidate;
      }
    }
  }
  return Lobe{10.0 * std::log10(peak.level), peak.angle / kDegree};
}

PlaneFigures CutFigures(const Cut& cut, double beamwidthDeg) {
  const Samples samples = SampleCut(cut, beamwidthDeg);
  PlaneFigures figures;
  figures.beamwidthDeg = Beamwidth(cut, samples);
  figures.strongestLobe = StrongestLobe(cut, samples);
  return figures;
}

int RefinementOf(Accuracy accuracy) { return std::max(1, accuracy.refinement); }

std::optional<Problem> RangeProblem(const char* field, double value, double low, bool lowIncluded,
                                    double high, const char* range) {
  if (!std::isfinite(value)) {
    return Problem{field, std::string("not a finite number; ") + range};
  }
  if (value < low || (!lowIncluded && value == low) || value > high) {
    return Problem{field, range};
  }
  return std::nullopt;
}

}  // namespace

std::optional<Problem> Check(const Stack& stack) {
  const char* beamwidth = "beamwidth above 0 and at most 180 degrees";
  const char* spacing = "spacing above 0 and at most 100 wavelengths";
  if (auto p = RangeProblem("beamwidth-e", stack.antenna.beamwidthEDeg, 0.0, false, 180.0, beamwidth)) {
    return p;
  }
  if (auto p = RangeProblem("beamwidth-h", stack.antenna.beamwidthHDeg, 0.0, false, 180.0, beamwidth)) {
    return p;
  }
  if (stack.baysE < kMinBays || stack.baysE > kMaxBays) {
    return Problem{"bays-e", "antennas from 1 to 8"};
  }
  if (stack.baysH < kMinBays || stack.baysH > kMaxBays) {
    return Problem{"bays-h", "antennas from 1 to 8"};
  }
  if (auto p = RangeProblem("spacing-e", stack.spacingELambda, 0.0, false, kMaxSpacingLambda, spacing)) {
    return p;
  }
  if (auto p = RangeProblem("spacing-h", stack.spacingHLambda, 0.0, false, kMaxSpacingLambda, spacing)) {
    return p;
  }
  if (stack.antenna.sidelobeDb) {
    if (auto p = RangeProblem("sidelobes", *stack.antenna.sidelobeDb, 0.0, true, kMaxSidelobeDb,
                              "sidelobe level from 0 to 60 dB")) {
      return p;
    }
  }
  return std::nullopt;
}

double WavelengthMetres(double frequencyMHz) { return 300.0 / frequencyMHz; }

double DirectivityDbi(const Antenna& antenna, Accuracy accuracy) {
  const Pattern pattern = PatternOf(antenna);
  const LobeNodes nodes = MakeLobeNodes(pattern, 0.0, 0.0, RefinementOf(accuracy));
  return 10.0 * std::log10(4.0 * kPi / (4.0 * kPi * pattern.f + nodes.integral));
}

double StackingGainDb(const Stack& stack, Accuracy accuracy) {
  const Pattern pattern = PatternOf(stack.antenna);
  return StackGains(pattern, NodesFor(pattern, stack, RefinementOf(accuracy)), stack).whole;
}

StackFigures Evaluate(const Stack& stack, Accuracy accuracy) {
  const Pattern pattern = PatternOf(stack.antenna);
  const Gains gains = StackGains(pattern, NodesFor(pattern, stack, RefinementOf(accuracy)), stack);
  StackFigures figures;
  figures.gainEDb = gains.lineE;
  figures.gainHDb = gains.lineH;
  figures.gainDb = gains.whole;
  figures.e = CutFigures(CutOf(pattern, stack, Plane::kE), stack.antenna.beamwidthEDeg);
  figures.h = CutFigures(CutOf(pattern, stack, Plane::kH), stack.antenna.beamwidthHDeg);
  return figures;
}

namespace {

// One plane's line gains along a sweep. The nodes serve spacings up to twice
// the first of them (and at least one wavelength), then are made anew for the
// next such span: fine enough for each spacing, and not much finer. Along a
// span each node's phase step (cos a, sin a) is turned by the sweep's step
// instead of taking a cosine per spacing.
class LineSweep {
 public:
  LineSweep(const Pattern& pattern, int bays, double stepLambda, double lastLambda)
      : pattern_(pattern), bays_(bays), step_(stepLambda), last_(lastLambda) {}

  // The next spacing's gain, `u` being ux for the E-plane, uy for the H-plane.
  double NextGainDb(double spacing, bool ePlane) {
    if (bays_ == 1) {
      return 0.0;
    }
    if (spacing > spanEnd_) {
      spanEnd_ = std::min(last_, std::max(2.0 * spacing, 1.0));
      const double lobes = (bays_ - 1) * spanEnd_;
      nodes_ = ePlane ? MakeLobeNodes(pattern_, lobes, 0.0, 1) : MakeLobeNodes(pattern_, 0.0, lobes, 1);
      const std::vector<double>& u = ePlane ? nodes_.ux : nodes_.uy;
      cos_.resize(u.size());
      sin_.resize(u.size());
      turnCos_.resize(u.size());
      turnSin_.resize(u.size());
      for (std::size_t k = 0; k < u.size(); ++k) {
        cos_[k] = std::cos(kTwoPi * spacing * u[k]);
        sin_[k] = std::sin(kTwoPi * spacing * u[k]);
        turnCos_[k] = std::cos(kTwoPi * step_ * u[k]);
        turnSin_[k] = std::sin(kTwoPi * step_ * u[k]);
      }
    }
    double sum = 0.0;
    for (std::size_t k = 0; k < nodes_.weight.size(); ++k) {
      sum += nodes_.weight[k] * LineFactorOfCos(bays_, cos_[k]);
      const double nextCos = cos_[k] * turnCos_[k] - sin_[k] * turnSin_[k];
      sin_[k] = sin_[k] * turnCos_[k] + cos_[k] * turnSin_[k];
      cos_[k] = nextCos;
    }
    const double isotropic =
        ePlane ? IsotropicSum(bays_, spacing, 1, 0.0) : IsotropicSum(1, 0.0, bays_, spacing);
    return GainDb(pattern_, nodes_.integral, bays_, isotropic, sum);
  }

 private:
  Pattern pattern_;
  int bays_;
  double step_;
  double last_;
  double spanEnd_ = -1.0;
  LobeNodes nodes_;
  std::vector<double> cos_, sin_, turnCos_, turnSin_;
};

// One plane's strongest lobe along a sweep: the single antenna's level and
// the phase steps at each sample are kept over a span of spacings as in
// LineSweep.
class CutSweep {
 public:
  CutSweep(const Cut& cut, double beamwidthDeg, double stepLambda, double lastLambda)
      : cut_(cut), beamwidthDeg_(beamwidthDeg), step_(stepLambda), last_(lastLambda) {}

  std::optional<Lobe> NextLobe(double spacing) {
    cut_.spacing = spacing;
    if (spacing > spanEnd_) {
      spanEnd_ = std::min(last_, std::max(2.0 * spacing, 1.0));
      Cut widest = cut_;
      widest.spacing = spanEnd_;
      samples_.count = SampleCount(widest, beamwidthDeg_);
      samples_.step = kPi / samples_.count;
      const std::size_t size = static_cast<std::size_t>(samples_.count) + 1;
      samples_.level.resize(size);
      single_.resize(size);
      cos_.resize(size);
      sin_.resize(size);
      turnCos_.resize(size);
      turnSin_.resize(size);
      for (std::size_t k = 0; k < size; ++k) {
        const double theta = static_cast<double>(k) * samples_.step;
        const double u = std::sin(theta);
        single_[k] = cut_.Single(theta);
        cos_[k] = std::cos(kTwoPi * spacing * u);
        sin_[k] = std::sin(kTwoPi * spacing * u);
        turnCos_[k] = std::cos(kTwoPi * step_ * u);
        turnSin_[k] = std::sin(kTwoPi * step_ * u);
      }
    }
    const double peak = static_cast<double>(cut_.bays) * cut_.bays;
    for (std::size_t k = 0; k < single_.size(); ++k) {
      samples_.level[k] =
          cut_.bays == 1 ? single_[k] : single_[k] * LineFactorOfCos(cut_.bays, cos_[k]) / peak;
      const double nextCos = cos_[k] * turnCos_[k] - sin_[k] * turnSin_[k];
      sin_[k] = sin_[k] * turnCos_[k] + cos_[k] * turnSin_[k];
      cos_[k] = nextCos;
    }
    return StrongestLobe(cut_, samples_);
  }

 private:
  Cut cut_;
  double beamwidthDeg_;
  double step_;
  double last_;
  double spanEnd_ = -1.0;
  Samples samples_;
  std::vector<double> single_, cos_, sin_, turnCos_, turnSin_;
};

}  // namespace

std::vector<SweepRow> Sweep(const Stack& stack, double fromLambda, double toLambda, double stepLambda) {
  std::vector<SweepRow> rows;
  if (!(stepLambda > 0.0) || !(toLambda >= fromLambda)) {
    return rows;
  }
  const int count = static_cast<int>(std::floor((toLambda - fromLambda) / stepLambda + 1e-9)) + 1;
  const double last = fromLambda + (count - 1) * stepLambda;
  const Pattern pattern = PatternOf(stack.antenna);
  LineSweep lineE(pattern, stack.baysE, stepLambda, last);
  LineSweep lineH(pattern, stack.baysH, stepLambda, last);
  CutSweep cutE(CutOf(pattern, stack, Plane::kE), stack.antenna.beamwidthEDeg, stepLambda, last);
  CutSweep cutH(CutOf(pattern, stack, Plane::kH), stack.antenna.beamwidthHDeg, stepLambda, last);
  for (int i = 0; i < count; ++i) {
    const double spacing = fromLambda + i * stepLambda;
    SweepRow row;
    row.spacingLambda = spacing;
    row.gainEDb = lineE.NextGainDb(spacing, true);
    row.gainHDb = lineH.NextGainDb(spacing, false);
    if (auto lobe = cutE.NextLobe(spacing)) {
      row.lobeEDb = lobe->levelDb;
    }
    if (auto lobe = cutH.NextLobe(spacing)) {
      row.lobeHDb = lobe->levelDb;
    }
    rows.push_back(row);
  }
  return rows;
}

std::vector<CutPoint> PatternCut(const Stack& stack, Plane plane, bool single, int points, double floorDb) {
  std::vector<CutPoint> cut;
  if (points < 2) {
    return cut;
  }
  Cut shape = CutOf(PatternOf(stack.antenna), stack, plane);
  if (single) {
    shape.bays = 1;
  }
  for (int i = 0; i < points; ++i) {
    const double angle = -180.0 + 360.0 * i / (points - 1);
    const double level = shape.Level(std::abs(angle) * kDegree);
    const double db = level > 0.0 ? 10.0 * std::log10(level) : floorDb;
    cut.push_back({angle, std::max(db, floorDb)});
  }
  return cut;
}

}  // namespace lobrin::stack
