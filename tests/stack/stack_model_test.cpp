// The stack model against what is known without it: closed forms of the
// isotropic pair and of cos^n patterns, the limits at close and wide spacing,
// the symmetry of the two planes, the published gain at the DL6WU distance,
// and the cuts of one antenna.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "stack/stack_model.h"

namespace lobrin::stack {
namespace {

constexpr double kPi = 3.14159265358979323846;

double Db(double ratio) { return 10.0 * std::log10(ratio); }
double Dl6wuLambda(double beamwidthDeg) { return 1.0 / (2.0 * std::sin(beamwidthDeg * kPi / 360.0)); }
double Exponent(double beamwidthDeg) {
  return std::log(0.5) / std::log(std::cos(beamwidthDeg * kPi / 360.0));
}

Stack MakeStack(double beamE, double beamH, int baysE, int baysH, double dE, double dH,
                std::optional<double> sidelobeDb = std::nullopt) {
  Stack s;
  s.antenna.beamwidthEDeg = beamE;
  s.antenna.beamwidthHDeg = beamH;
  s.antenna.sidelobeDb = sidelobeDb;
  s.baysE = baysE;
  s.baysH = baysH;
  s.spacingELambda = dE;
  s.spacingHLambda = dH;
  return s;
}

// With the level at the peak (--sidelobes 0) every direction is equal, and a
// line of N gains N^2 / sum (N - |p|) sinc(2 pi p d).
double IsotropicLineGainDb(int bays, double d) {
  double sum = 0.0;
  for (int p = -(bays - 1); p <= bays - 1; ++p) {
    const double x = 2.0 * kPi * p * d;
    sum += (bays - std::abs(p)) * (p == 0 ? 1.0 : std::sin(x) / x);
  }
  return Db(bays * bays / sum);
}

TEST(StackModel, IsotropicLinesFollowTheSincSum) {
  struct Case {
    int bays;
    double d;
  };
  const Case cases[] = {{2, 0.05}, {2, 0.5}, {2, 0.715}, {2, 1.93}, {2, 20.0}, {3, 0.4},
                        {4, 0.75}, {5, 1.1}, {8, 0.05},  {8, 0.9},  {8, 7.3},  {8, 100.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bays << " at " << c.d);
    const double expected = IsotropicLineGainDb(c.bays, c.d);
    EXPECT_NEAR(StackingGainDb(MakeStack(30.0, 32.0, c.bays, 1, c.d, 1.0, 0.0)), expected, 1e-12);
    EXPECT_NEAR(StackingGainDb(MakeStack(30.0, 32.0, 1, c.bays, 1.0, c.d, 0.0)), expected, 1e-12);
  }
}

TEST(StackModel, TheIsotropicPairGivesThreeDecibelsAtHalfAWavelengthAndPeaksNear0715) {
  EXPECT_NEAR(StackingGainDb(MakeStack(30.0, 32.0, 2, 1, 0.5, 1.0, 0.0)), 3.0103, 5e-5);
  // The pair's gain 2 / (1 + sinc(kd)) peaks where tan(kd) = kd: 4.07 dB near 0.715 wavelengths.
  const std::vector<SweepRow> rows = Sweep(MakeStack(30.0, 32.0, 2, 2, 1.0, 1.0, 0.0), 0.5, 1.0, 0.0005);
  ASSERT_EQ(rows.size(), 1001u);
  const SweepRow* best = &rows.front();
  for (const SweepRow& row : rows) {
    EXPECT_NEAR(row.gainEDb, row.gainHDb, 1e-12);
    if (row.gainEDb > best->gainEDb) {
      best = &row;
    }
  }
  EXPECT_NEAR(best->gainEDb, 4.07, 0.005);
  EXPECT_NEAR(best->spacingLambda, 0.7151, 0.01);
}

// Two antennas with a rotationally symmetric cos^n pattern and no level: the
// pair's cross term is Sonine's integral, 2 pi 2^m Gamma(m + 1) J_(m+1)(k) /
// k^(m+1) with m = (n - 1) / 2, against integral(P) = 2 pi / (n + 1).
double SymmetricPairGainDb(double beamwidthDeg, double d) {
  const double n = beamwidthDeg >= 180.0 ? 0.0 : Exponent(beamwidthDeg);
  const double m = (n - 1.0) / 2.0;
  const double k = 2.0 * kPi * d;
  const double cross = std::exp(m * std::log(2.0) + std::lgamma(m + 1.0) - (m + 1.0) * std::log(k)) *
                       std::cyl_bessel_j(m + 1.0, k);
  return Db(2.0 / (1.0 + (n + 1.0) * cross));
}

TEST(StackModel, SymmetricPairsFollowSoninesIntegral) {
  for (const double beamwidth : {10.0, 30.0, 60.0, 90.0, 120.0, 170.0, 180.0}) {
    for (const double d : {0.05, 0.5, 1.0, Dl6wuLambda(beamwidth), 7.0, 20.0}) {
      SCOPED_TRACE(testing::Message() << beamwidth << " deg at " << d);
      const double expected = SymmetricPairGainDb(beamwidth, d);
      EXPECT_NEAR(StackingGainDb(MakeStack(beamwidth, beamwidth, 2, 1, d, 1.0)), expected, 1e-6);
      EXPECT_NEAR(StackingGainDb(MakeStack(beamwidth, beamwidth, 1, 2, 1.0, d)), expected, 1e-6);
    }
  }
}

TEST(StackModel, DirectivityOfCosPowerPatterns) {
  for (const double beamwidth : {3.0, 10.0, 30.0, 60.0, 90.0, 120.0, 150.0, 179.0, 180.0}) {
    SCOPED_TRACE(beamwidth);
    const double n = beamwidth >= 180.0 ? 0.0 : Exponent(beamwidth);
    Antenna antenna;
    antenna.beamwidthEDeg = beamwidth;
    antenna.beamwidthHDeg = beamwidth;
    EXPECT_NEAR(DirectivityDbi(antenna), Db(2.0 * (n + 1.0)), 1e-9);
    // With a level f: integral(P) = 4 pi f + 2 pi ((1 - c^(n+1)) / (n + 1) - f (1 - c)), c = f^(1/n).
    for (const double level : {3.0, 13.0, 30.0, 60.0}) {
      antenna.sidelobeDb = level;
      const double f = std::pow(10.0, -level / 10.0);
      const double c = n == 0.0 ? 0.0 : std::pow(f, 1.0 / n);
      const double power =
          4.0 * kPi * f + 2.0 * kPi * ((1.0 - std::pow(c, n + 1.0)) / (n + 1.0) - f * (1.0 - c));
      EXPECT_NEAR(DirectivityDbi(antenna), Db(4.0 * kPi / power), 1e-9) << level;
    }
  }
}

TEST(StackModel, CloseSpacingGivesNothingAndWideSpacingGivesTheNumberOfAntennas) {
  struct Case {
    double beamE, beamH;
    int baysE, baysH;
    std::optional<double> level;
  };
  const Case cases[] = {{30.0, 32.0, 2, 2, std::nullopt},
                        {10.0, 60.0, 4, 1, std::nullopt},
                        {3.0, 3.0, 8, 8, 20.0},
                        {120.0, 90.0, 1, 3, 13.0},
                        {180.0, 180.0, 2, 1, std::nullopt}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.beamE << "x" << c.beamH << " " << c.baysE << "x" << c.baysH);
    // Closer than a fiftieth of a wavelength: the antennas act as one.
    EXPECT_NEAR(StackingGainDb(MakeStack(c.beamE, c.beamH, c.baysE, c.baysH, 1e-3, 1e-3, c.level)), 0.0,
                0.01);
    // Far apart the grating lobes fill in the sphere and the gain tends to
    // 10 log10(N), the slower the wider the beam: within 0.05 dB at 80 wavelengths
    // for these beams.
    const double wide = StackingGainDb(MakeStack(c.beamE, c.beamH, c.baysE, c.baysH, 80.0, 80.0, c.level));
    EXPECT_NEAR(wide, Db(c.baysE * c.baysH), 0.05);
  }
}

TEST(StackModel, SwappingThePlanesSwapsTheFigures) {
  const Stack stacks[] = {MakeStack(30.0, 32.0, 2, 2, Dl6wuLambda(30.0), Dl6wuLambda(32.0)),
                          MakeStack(12.0, 55.0, 4, 2, 3.1, 0.8, 17.0),
                          MakeStack(3.0, 180.0, 1, 8, 0.05, 20.0),
                          MakeStack(90.0, 40.0, 3, 5, 0.6, 1.4, 3.0)};
  for (const Stack& s : stacks) {
    Stack swapped = s;
    std::swap(swapped.antenna.beamwidthEDeg, swapped.antenna.beamwidthHDeg);
    std::swap(swapped.baysE, swapped.baysH);
    std::swap(swapped.spacingELambda, swapped.spacingHLambda);
    const StackFigures a = Evaluate(s);
    const StackFigures b = Evaluate(swapped);
    SCOPED_TRACE(testing::Message() << s.antenna.beamwidthEDeg << "/" << s.antenna.beamwidthHDeg);
    EXPECT_NEAR(a.gainDb, b.gainDb, 1e-6);
    EXPECT_NEAR(a.gainEDb, b.gainHDb, 1e-6);
    EXPECT_NEAR(a.gainHDb, b.gainEDb, 1e-6);
    EXPECT_NEAR(a.e.beamwidthDeg, b.h.beamwidthDeg, 1e-9);
    EXPECT_NEAR(a.h.beamwidthDeg, b.e.beamwidthDeg, 1e-9);
    ASSERT_EQ(a.e.strongestLobe.has_value(), b.h.strongestLobe.has_value());
    if (a.e.strongestLobe) {
      EXPECT_NEAR(a.e.strongestLobe->levelDb, b.h.strongestLobe->levelDb, 1e-9);
      EXPECT_NEAR(a.e.strongestLobe->angleDeg, b.h.strongestLobe->angleDeg, 1e-5);
    }
  }
}

// DL6WU measured about 2.9 dB for two antennas at his distance.
TEST(StackModel, TwoAntennasAtTheDl6wuDistanceGainAbout29Decibels) {
  for (double beamwidth = 10.0; beamwidth <= 60.0; beamwidth += 5.0) {
    SCOPED_TRACE(beamwidth);
    const double d = Dl6wuLambda(beamwidth);
    // The stacked plane's beamwidth, the other a little wider as a Yagi's H-plane is.
    const StackFigures e = Evaluate(MakeStack(beamwidth, beamwidth * 1.07, 2, 1, d, 1.0));
    EXPECT_NEAR(e.gainDb, 2.9, 0.2);
    EXPECT_DOUBLE_EQ(e.gainEDb, e.gainDb);
    EXPECT_DOUBLE_EQ(e.gainHDb, 0.0);
    const StackFigures h = Evaluate(MakeStack(beamwidth * 1.07, beamwidth, 1, 2, 1.0, d));
    EXPECT_NEAR(h.gainDb, 2.9, 0.2);
  }
}

TEST(StackModel, OneAntennaHasItsOwnBeamwidthAndLevel) {
  struct Case {
    double beamE, beamH;
    std::optional<double> level;
  };
  const Case cases[] = {{3.0, 5.0, std::nullopt},
                        {30.0, 32.0, std::nullopt},
                        {30.0, 32.0, 20.0},
                        {120.0, 179.0, 2.9},
                        {180.0, 60.0, 10.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.beamE << "/" << c.beamH);
    const StackFigures one = Evaluate(MakeStack(c.beamE, c.beamH, 1, 1, 1.0, 1.0, c.level));
    EXPECT_EQ(one.gainDb, 0.0);
    if (c.level && *c.level < 3.0103) {
      // The level is above half the peak: the pattern never falls 3 dB.
      EXPECT_EQ(one.e.beamwidthDeg, 360.0);
      EXPECT_EQ(one.h.beamwidthDeg, 360.0);
    } else {
      EXPECT_NEAR(one.e.beamwidthDeg, c.beamE, 1e-8);
      EXPECT_NEAR(one.h.beamwidthDeg, c.beamH, 1e-8);
    }
    if (!c.level) {
      EXPECT_FALSE(one.e.strongestLobe);
      EXPECT_FALSE(one.h.strongestLobe);
      continue;
    }
    // The flat level is the strongest, from where the main lobe meets it.
    const double f = std::pow(10.0, -*c.level / 10.0);
    for (const auto& [figures, beam] : {std::pair{one.e, c.beamE}, std::pair{one.h, c.beamH}}) {
      ASSERT_TRUE(figures.strongestLobe);
      EXPECT_NEAR(figures.strongestLobe->levelDb, -*c.level, 1e-12);
      const double start = beam >= 180.0 ? 90.0 : std::acos(std::pow(f, 1.0 / Exponent(beam))) * 180.0 / kPi;
      EXPECT_NEAR(figures.strongestLobe->angleDeg, start, 1e-5);
    }
  }
}

TEST(StackModel, TheFirstSidelobeOfAUniformLine) {
  // Eight antennas at half a wavelength, each flat over the front: in the
  // front half of the E-plane the cut is (sin(N x) / (N sin x))^2 and its first
  // sidelobe is 12.8 dB down; nothing comes from behind.
  const StackFigures figures = Evaluate(MakeStack(180.0, 32.0, 8, 1, 0.5, 1.0));
  ASSERT_TRUE(figures.e.strongestLobe);
  EXPECT_NEAR(figures.e.strongestLobe->levelDb, -12.8, 0.05);
  EXPECT_LT(figures.e.strongestLobe->angleDeg, 45.0);
  EXPECT_FALSE(figures.h.strongestLobe);
}

TEST(StackModel, TheSweepAgreesWithSingleResults) {
  const Stack stacks[] = {MakeStack(30.0, 32.0, 2, 3, 1.0, 1.0), MakeStack(8.0, 70.0, 4, 1, 1.0, 1.0, 15.0),
                          MakeStack(180.0, 3.0, 1, 8, 1.0, 1.0, 25.0)};
  for (const Stack& s : stacks) {
    SCOPED_TRACE(s.antenna.beamwidthEDeg);
    const std::vector<SweepRow> rows = Sweep(s, 0.05, 6.05, 0.25);
    ASSERT_EQ(rows.size(), 25u);
    for (const SweepRow& row : rows) {
      Stack at = s;
      at.spacingELambda = row.spacingLambda;
      at.spacingHLambda = row.spacingLambda;
      const StackFigures figures = Evaluate(at);
      EXPECT_NEAR(row.gainEDb, figures.gainEDb, 1e-9);
      EXPECT_NEAR(row.gainHDb, figures.gainHDb, 1e-9);
      ASSERT_EQ(row.lobeEDb.has_value(), figures.e.strongestLobe.has_value()) << row.spacingLambda;
      ASSERT_EQ(row.lobeHDb.has_value(), figures.h.strongestLobe.has_value()) << row.spacingLambda;
      if (row.lobeEDb) {
        EXPECT_NEAR(*row.lobeEDb, figures.e.strongestLobe->levelDb, 1e-9);
      }
      if (row.lobeHDb) {
        EXPECT_NEAR(*row.lobeHDb, figures.h.strongestLobe->levelDb, 1e-9);
      }
    }
  }
  EXPECT_TRUE(Sweep(stacks[0], 1.0, 0.5, 0.1).empty());
  EXPECT_TRUE(Sweep(stacks[0], 0.5, 1.0, 0.0).empty());
  EXPECT_EQ(Sweep(stacks[0], 0.5, 1.0, 0.1).size(), 6u);
}

TEST(StackModel, PatternCutsAreSymmetricAndClamped) {
  const Stack s = MakeStack(30.0, 32.0, 2, 2, Dl6wuLambda(30.0), Dl6wuLambda(32.0));
  for (const Plane plane : {Plane::kE, Plane::kH}) {
    for (const bool single : {false, true}) {
      const std::vector<CutPoint> cut = PatternCut(s, plane, single, 721, -40.0);
      ASSERT_EQ(cut.size(), 721u);
      EXPECT_DOUBLE_EQ(cut.front().angleDeg, -180.0);
      EXPECT_DOUBLE_EQ(cut[360].angleDeg, 0.0);
      EXPECT_DOUBLE_EQ(cut.back().angleDeg, 180.0);
      EXPECT_DOUBLE_EQ(cut[360].levelDb, 0.0);
      for (std::size_t i = 0; i < cut.size(); ++i) {
        EXPECT_EQ(cut[i].levelDb, cut[cut.size() - 1 - i].levelDb);
        EXPECT_GE(cut[i].levelDb, -40.0);
        EXPECT_LE(cut[i].levelDb, 0.0);
      }
      EXPECT_EQ(cut.front().levelDb, -40.0);  // nothing behind without a level
    }
  }
  // One antenna is 3 dB down at half its beamwidth: 15 deg is point 390 of 721.
  EXPECT_NEAR(PatternCut(s, Plane::kE, true, 721, -40.0)[390].levelDb, Db(0.5), 1e-12);
  EXPECT_TRUE(PatternCut(s, Plane::kE, true, 1, -40.0).empty());
}

}  // namespace
}  // namespace lobrin::stack
