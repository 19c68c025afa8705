// The quadrature's error, shown by convergence: doubling the nodes in each
// direction moves no gain by more than a small part of the 0.005 dB that the
// model promises, over beamwidths 3 to 180 deg, spacings 0.05 to 20
// wavelengths, 1 to 8 antennas per plane, with and without a level. And the
// figures are the same in each build, to 1e-9 dB.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "stack/stack_model.h"

namespace lobrin::stack {
namespace {

struct Case {
  double beamE, beamH;
  int baysE, baysH;
  double dE, dH;
  std::optional<double> level;
};

Stack StackOf(const Case& c) {
  Stack s;
  s.antenna.beamwidthEDeg = c.beamE;
  s.antenna.beamwidthHDeg = c.beamH;
  s.antenna.sidelobeDb = c.level;
  s.baysE = c.baysE;
  s.baysH = c.baysH;
  s.spacingELambda = c.dE;
  s.spacingHLambda = c.dH;
  return s;
}

// What the gains may move by when the nodes double; the measured worst is
// 1.2e-5 dB (3 by 180 deg with a 3 dB level, two antennas 20 wavelengths apart).
constexpr double kConvergedDb = 5e-5;

const std::optional<double> kNone;

TEST(StackConvergence, DoublingTheNodesMovesNoGain) {
  const Case cases[] = {
      // The corners: narrowest and widest beams, closest and widest spacings, 1 and 8 antennas.
      {3.0, 3.0, 8, 8, 20.0, 20.0, kNone},
      {3.0, 3.0, 8, 8, 0.05, 0.05, 20.0},
      {180.0, 180.0, 8, 8, 20.0, 20.0, kNone},
      {180.0, 180.0, 8, 8, 0.05, 0.05, 30.0},
      {3.0, 180.0, 8, 8, 3.0, 3.0, 3.0},
      {180.0, 3.0, 2, 1, 20.0, 1.0, 3.0},
      {3.0, 180.0, 1, 2, 1.0, 20.0, 3.0},
      {3.0, 180.0, 8, 8, 20.0, 20.0, 20.0},
      {180.0, 3.0, 1, 1, 1.0, 1.0, 60.0},
      // Between them.
      {30.0, 32.0, 2, 2, 1.93, 1.81, kNone},
      {30.0, 32.0, 2, 2, 1.93, 1.81, 17.0},
      {10.0, 60.0, 4, 1, 0.7, 1.0, kNone},
      {90.0, 40.0, 3, 5, 0.6, 1.4, 13.0},
      {150.0, 150.0, 2, 8, 0.35, 7.0, kNone},
      {120.0, 170.0, 5, 3, 11.0, 0.05, 6.0},
      {5.0, 8.0, 6, 7, 4.5, 9.5, kNone},
      {45.0, 3.0, 8, 2, 20.0, 0.5, 40.0},
      {179.0, 60.0, 1, 8, 1.0, 2.2, kNone},
  };
  for (const Case& c : cases) {
    const Stack s = StackOf(c);
    SCOPED_TRACE(testing::Message() << c.beamE << "x" << c.beamH << " deg, " << c.baysE << "x" << c.baysH
                                    << " at " << c.dE << "/" << c.dH << ", level " << c.level.value_or(-1.0));
    const double once = StackingGainDb(s, {1});
    const double twice = StackingGainDb(s, {2});
    EXPECT_NEAR(once, twice, kConvergedDb);
  }
}

TEST(StackConvergence, FourTimesTheNodesAgreeToo) {
  const Case cases[] = {
      {30.0, 32.0, 2, 2, 1.93, 1.81, kNone},
      {3.0, 180.0, 1, 2, 1.0, 20.0, 3.0},
      {180.0, 180.0, 8, 8, 0.05, 0.05, kNone},
  };
  for (const Case& c : cases) {
    const Stack s = StackOf(c);
    SCOPED_TRACE(testing::Message() << c.beamE << "x" << c.beamH);
    EXPECT_NEAR(StackingGainDb(s, {1}), StackingGainDb(s, {4}), kConvergedDb);
  }
}

// Figures of the native build, which the Windows build must give as well.
struct Reference {
  Case c;
  double gainE, gainH, gain, beamwidthE, beamwidthH, lobeE;
};

TEST(StackConvergence, EachBuildGivesTheSameFigures) {
  const Reference references[] = {
      {{30.0, 32.0, 2, 2, 1.9318516525781366, 1.8140036268586095, kNone},
       2.9178110331807212,
       2.9260652471583093,
       5.8476268743581361,
       13.456190558150411,
       14.339954914525151,
       -9.9882954062336786},
      {{30.0, 32.0, 4, 4, 1.93, 1.81, 20.0},
       6.0563138186589835,
       6.128475144963156,
       12.200669530216825,
       6.6119095503058105,
       7.0511309606033343,
       -12.540316160801927},
      {{3.0, 180.0, 8, 2, 20.0, 0.3, 3.0},
       9.0083519967336105,
       1.2383572728112271,
       10.250604507579855,
       0.31773601526290962,
       112.88538047671318,
       -3.0000000000000004},
      {{120.0, 60.0, 3, 1, 0.6, 1.0, kNone},
       4.8327148809922358,
       0.0,
       4.8327148809922358,
       29.319467213004831,
       59.999999999999993,
       -11.89622969516858},
  };
  for (const Reference& r : references) {
    SCOPED_TRACE(testing::Message() << r.c.beamE << "x" << r.c.beamH);
    const StackFigures figures = Evaluate(StackOf(r.c));
    EXPECT_NEAR(figures.gainEDb, r.gainE, 1e-9);
    EXPECT_NEAR(figures.gainHDb, r.gainH, 1e-9);
    EXPECT_NEAR(figures.gainDb, r.gain, 1e-9);
    EXPECT_NEAR(figures.e.beamwidthDeg, r.beamwidthE, 1e-8);
    EXPECT_NEAR(figures.h.beamwidthDeg, r.beamwidthH, 1e-8);
    ASSERT_TRUE(figures.e.strongestLobe);
    EXPECT_NEAR(figures.e.strongestLobe->levelDb, r.lobeE, 1e-9);
  }
}

}  // namespace
}  // namespace lobrin::stack
