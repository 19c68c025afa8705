// lobrin-calc and the window, given the same texts, show the same four
// results: the command against a freshly started window each time.

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>

#include "calculator_fixture.h"
#include "process.h"

namespace lobrin::gui {
namespace {

constexpr DWORD kCommandTimeoutMs = 30000;

struct Inputs {
  const char* name;
  const char* hBeamwidth;
  const char* eBeamwidth;
  const char* frequency;
};

// Names the case in gtest's messages.
void PrintTo(const Inputs& value, std::ostream* out) { *out << value.name; }

const Inputs kInputs[] = {
    {"WorkedExample", "32", "30", "144"},
    {"LenientTexts", "30,5", "+30deg", "1,44"},
    {"UnreadableBeamwidth", "1e999", "30", "432"},
    {"NoDivisorInEitherPlane", "0", "deg", "144"},
    {"NoFrequency", "32", "30", ""},
    {"HugeDistances", "360", "720", "144"},
    {"FeetOrDistanceBeyondTheDoubleRange", "-30", "1e-300", "1e-305"},
};

using Results = std::array<std::string, 4>;  // H m, H ft, E m, E ft

// The last four fields of the second CSV record: none of them is ever quoted.
Results LastFourFields(const std::string& csv) {
  const std::size_t recordStart = csv.find("\r\n") + 2;
  std::string record = csv.substr(recordStart, csv.find("\r\n", recordStart) - recordStart);
  Results fields;
  for (int i = 3; i >= 0; --i) {
    const std::size_t comma = record.rfind(',');
    fields[static_cast<std::size_t>(i)] = record.substr(comma + 1);
    record.erase(comma);
  }
  return fields;
}

std::string Quoted(const char* text) { return std::string("\"") + text + "\""; }

class CommandAgreesWithWindow : public CalculatorTest, public ::testing::WithParamInterface<Inputs> {};

TEST_P(CommandAgreesWithWindow, OnTheSameTexts) {
  const Inputs& in = GetParam();
  const ConsoleRun run = RunConsoleProgram(
      WindowsPathOf(LOBRIN_CALC_EXE_PATH),
      "--csv -- " + Quoted(in.hBeamwidth) + " " + Quoted(in.eBeamwidth) + " " + Quoted(in.frequency),
      kCommandTimeoutMs);
  ASSERT_TRUE(run.ended) << run.error;
  ASSERT_EQ(run.exitCode, 0u) << run.out;
  ASSERT_EQ(run.out.rfind("frequency,h_plane_m,h_plane_ft,e_plane_m,e_plane_ft\r\n", 0), 0u) << run.out;

  ASSERT_TRUE(calc().Type(Edit::Frequency, in.frequency));
  ASSERT_TRUE(calc().Type(Edit::HPlaneBw, in.hBeamwidth));
  ASSERT_TRUE(calc().Type(Edit::EPlaneBw, in.eBeamwidth));
  ASSERT_TRUE(calc().Click(Button::Calculate));
  const Results window = {calc().Text(Edit::HMeters), calc().Text(Edit::HFeet), calc().Text(Edit::EMeters),
                          calc().Text(Edit::EFeet)};
  EXPECT_EQ(LastFourFields(run.out), window) << run.out;
}

INSTANTIATE_TEST_SUITE_P(Texts, CommandAgreesWithWindow, ::testing::ValuesIn(kInputs),
                         [](const ::testing::TestParamInfo<Inputs>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace lobrin::gui
