// Check() names the field that is wrong and says what it accepts, for every
// input the model cannot take, and takes every input at the edges of a range.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

#include "stack/stack_model.h"

namespace lobrin::stack {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

Stack Good() {
  Stack s;
  s.antenna.beamwidthEDeg = 30.0;
  s.antenna.beamwidthHDeg = 32.0;
  s.antenna.sidelobeDb = 20.0;
  s.baysE = 2;
  s.baysH = 2;
  s.spacingELambda = 1.93;
  s.spacingHLambda = 1.81;
  return s;
}

struct BadInput {
  const char* what;
  std::function<void(Stack&)> spoil;
  const char* field;
  const char* reason;
};

TEST(StackCheck, NamesTheFieldAndWhatItAccepts) {
  const char* beamwidth = "beamwidth above 0 and at most 180 degrees";
  const char* beamwidthNotFinite = "not a finite number; beamwidth above 0 and at most 180 degrees";
  const char* bays = "antennas from 1 to 8";
  const char* spacing = "spacing above 0 and at most 100 wavelengths";
  const char* spacingNotFinite = "not a finite number; spacing above 0 and at most 100 wavelengths";
  const char* sidelobes = "sidelobe level from 0 to 60 dB";
  const char* sidelobesNotFinite = "not a finite number; sidelobe level from 0 to 60 dB";
  const BadInput cases[] = {
      {"E beamwidth 0", [](Stack& s) { s.antenna.beamwidthEDeg = 0.0; }, "beamwidth-e", beamwidth},
      {"E beamwidth negative", [](Stack& s) { s.antenna.beamwidthEDeg = -30.0; }, "beamwidth-e", beamwidth},
      {"E beamwidth above 180", [](Stack& s) { s.antenna.beamwidthEDeg = 180.0001; }, "beamwidth-e",
       beamwidth},
      {"E beamwidth NaN", [](Stack& s) { s.antenna.beamwidthEDeg = kNaN; }, "beamwidth-e",
       beamwidthNotFinite},
      {"E beamwidth infinite", [](Stack& s) { s.antenna.beamwidthEDeg = kInf; }, "beamwidth-e",
       beamwidthNotFinite},
      {"H beamwidth 0", [](Stack& s) { s.antenna.beamwidthHDeg = 0.0; }, "beamwidth-h", beamwidth},
      {"H beamwidth 360", [](Stack& s) { s.antenna.beamwidthHDeg = 360.0; }, "beamwidth-h", beamwidth},
      {"H beamwidth -inf", [](Stack& s) { s.antenna.beamwidthHDeg = -kInf; }, "beamwidth-h",
       beamwidthNotFinite},
      {"E bays 0", [](Stack& s) { s.baysE = 0; }, "bays-e", bays},
      {"E bays 9", [](Stack& s) { s.baysE = 9; }, "bays-e", bays},
      {"H bays -1", [](Stack& s) { s.baysH = -1; }, "bays-h", bays},
      {"H bays 9", [](Stack& s) { s.baysH = 9; }, "bays-h", bays},
      {"E spacing 0", [](Stack& s) { s.spacingELambda = 0.0; }, "spacing-e", spacing},
      {"E spacing negative", [](Stack& s) { s.spacingELambda = -1.0; }, "spacing-e", spacing},
      {"E spacing above 100", [](Stack& s) { s.spacingELambda = 100.001; }, "spacing-e", spacing},
      {"E spacing NaN", [](Stack& s) { s.spacingELambda = kNaN; }, "spacing-e", spacingNotFinite},
      {"H spacing 0", [](Stack& s) { s.spacingHLambda = 0.0; }, "spacing-h", spacing},
      {"H spacing inf", [](Stack& s) { s.spacingHLambda = kInf; }, "spacing-h", spacingNotFinite},
      {"level negative", [](Stack& s) { s.antenna.sidelobeDb = -0.5; }, "sidelobes", sidelobes},
      {"level above 60", [](Stack& s) { s.antenna.sidelobeDb = 60.5; }, "sidelobes", sidelobes},
      {"level NaN", [](Stack& s) { s.antenna.sidelobeDb = kNaN; }, "sidelobes", sidelobesNotFinite},
      {"level inf", [](Stack& s) { s.antenna.sidelobeDb = kInf; }, "sidelobes", sidelobesNotFinite},
  };
  for (const BadInput& c : cases) {
    SCOPED_TRACE(c.what);
    Stack s = Good();
    c.spoil(s);
    const std::optional<Problem> problem = Check(s);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->field, c.field);
    EXPECT_EQ(problem->reason, c.reason);
  }
}

TEST(StackCheck, TakesTheEdgesOfEachRange) {
  const std::function<void(Stack&)> edges[] = {
      [](Stack&) {},
      [](Stack& s) { s.antenna.beamwidthEDeg = 180.0; },
      [](Stack& s) { s.antenna.beamwidthHDeg = 1e-9; },
      [](Stack& s) { s.baysE = 1; },
      [](Stack& s) { s.baysH = 8; },
      [](Stack& s) { s.spacingELambda = 100.0; },
      [](Stack& s) { s.spacingHLambda = 1e-12; },
      [](Stack& s) { s.antenna.sidelobeDb = 0.0; },
      [](Stack& s) { s.antenna.sidelobeDb = 60.0; },
      [](Stack& s) { s.antenna.sidelobeDb.reset(); },
  };
  for (const auto& edge : edges) {
    Stack s = Good();
    edge(s);
    const std::optional<Problem> problem = Check(s);
    EXPECT_FALSE(problem) << problem->field << ": " << problem->reason;
  }
}

TEST(StackCheck, WavelengthIsThreeHundredOverTheFrequency) {
  EXPECT_DOUBLE_EQ(WavelengthMetres(144.0), 300.0 / 144.0);
  EXPECT_DOUBLE_EQ(WavelengthMetres(300.0), 1.0);
}

}  // namespace
}  // namespace lobrin::stack
